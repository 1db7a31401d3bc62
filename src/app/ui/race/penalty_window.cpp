#include "ui/race/penalty_window.h"

#include "journal/race_inputs.h"
#include "ui/common/typing_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

PenaltyWindow::PenaltyWindow(RaceInputs& inputs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), inputs_(inputs) {
    setObjectName(QStringLiteral("TpenaltyF"));
    setWindowTitle(QStringLiteral("Penalty"));
    setModal(false);
    markTypingWindow(*this);

    auto* label = new QLabel(QStringLiteral("Give Penalty to Car:"), this);
    car_ = new QSpinBox(this);
    car_->setObjectName(QStringLiteral("carpenalty"));
    car_->setRange(1, 999);
    car_->setValue(1);
    label->setBuddy(car_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));

    auto* number = new QHBoxLayout;
    number->addWidget(label);
    number->addWidget(car_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(number);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &PenaltyWindow::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PenaltyWindow::showInFront() {
    show();
    raise();
    activateWindow();
    car_->setFocus();
    car_->selectAll();
}

void PenaltyWindow::ok() {
    car_->interpretText();
    if (inputs_.penalty(car_->value()))
        accept();
    else
        showInFront(); // back in front for the next number, never leaving it to the race panel's
                       // keys
}

} // namespace vexa
