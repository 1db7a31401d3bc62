#include "ui/transponders/loan_box.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"
#include "ui/common/named.h"
#include "ui/drivers/controls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

namespace vexa {

LoanBox::LoanBox(Program& program, Operator& op, QWidget* parent)
    : QWidget(parent), program_(program), op_(op), desk_(program.home.houseTransponderFile()) {
    choice_ = named(new QComboBox(this), "loanCB");
    choice_->setToolTip(QStringLiteral("Lend the driver one of the club's transponders"));
    choice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lend_ = plainButton(QStringLiteral("Lend"), "LendBtn", this);
    lend_->setToolTip(QStringLiteral("Lend the chosen transponder to this driver"));
    return_ = plainButton(QStringLiteral("Return"), "ReturnLoanBtn", this);
    return_->setToolTip(QStringLiteral("The driver has given the loan transponder back"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(choice_, 1);
    layout->addWidget(lend_);
    layout->addWidget(return_);
    connect(lend_, &QPushButton::clicked, this, &LoanBox::lendChosen);
    connect(return_, &QPushButton::clicked, this, &LoanBox::giveBack);
}

void LoanBox::showFor(int id) {
    id_ = id;
    desk_.reload();
    const QSignalBlocker quiet(choice_);
    choice_->clear();
    const std::optional<int32_t> held = desk_.loanOf(program_.eventName, id);
    if (held) {
        for (const HouseTransponder& t : desk_.transponders())
            if (t.number == *held) choice_->addItem(toQt(houseTransponderLine(t)), t.number);
    } else {
        choice_->addItem(QString(), 0);
        for (const HouseTransponder& t : desk_.available())
            choice_->addItem(toQt(houseTransponderLine(t)), t.number);
    }
    // A new driver borrows as soon as his name is typed: a free entry is refused when chosen.
    choice_->setEnabled(!held && program_.eventOpen() && choice_->count() > 1);
    lend_->setEnabled(choice_->isEnabled());
    return_->setEnabled(held.has_value());
}

bool LoanBox::told(const Outcome& outcome) {
    if (!outcome) op_.inform(outcome.message);
    return outcome.ok;
}

void LoanBox::lendChosen() {
    const int32_t number = choice_->currentData().toInt();
    if (number == 0) {
        op_.inform("Choose the loan transponder to lend");
        return;
    }
    const bool lent = told(lendHouseTransponder(desk_, program_, number, id_));
    showFor(id_);
    if (lent) emit transponderChanged();
}

void LoanBox::giveBack() {
    const std::optional<int32_t> held = desk_.loanOf(program_.eventName, id_);
    if (!held) return;
    told(returnHouseTransponder(desk_, program_, *held));
    showFor(id_);
    emit transponderChanged();
}

} // namespace vexa
