#include "ui/transponders/transponder_list_window.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"
#include "ui/common/named.h"
#include "ui/drivers/controls.h"

#include <QListWidget>

#include <QPushButton>
#include <algorithm>

namespace vexa {

TransponderListWindow::TransponderListWindow(Program& program, Operator& op, const char* title,
                                             const char* name, const char* listName,
                                             QWidget* parent)
    : QDialog(parent), program_(program), op_(op), desk_(program.home.houseTransponderFile()) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QString::fromLatin1(title));
    list_ = named(new QListWidget(this), listName);
    // Enter presses no button of these windows unless it has the focus: a Return or Remove
    // pressed by mistake changes the list.
    return_ = plainButton(QStringLiteral("&Return"), "ReturnBtn", this);
    return_->setToolTip(QStringLiteral("The selected transponder is back at the desk"));
    connect(return_, &QPushButton::clicked, this, &TransponderListWindow::returnSelected);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        const std::optional<int32_t> n = selectedNumber();
        const auto it = std::find_if(desk_.transponders().begin(), desk_.transponders().end(),
                                     [&n](const HouseTransponder& t) { return n == t.number; });
        return_->setEnabled(it != desk_.transponders().end() && it->loan.has_value());
    });
    return_->setEnabled(false);
}

void TransponderListWindow::refresh() {
    const std::optional<int32_t> selected = selectedNumber();
    desk_.reload();
    list_->clear();
    for (const HouseTransponder& t : rows()) {
        auto* item = new QListWidgetItem(toQt(houseTransponderLine(t)), list_);
        item->setData(Qt::UserRole, t.number);
        if (selected == t.number) list_->setCurrentItem(item);
    }
    if (!list_->currentItem() && list_->count() > 0) list_->setCurrentRow(0);
    return_->setEnabled(false);
    emit list_->currentRowChanged(list_->currentRow());
}

std::optional<int32_t> TransponderListWindow::selectedNumber() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item) return std::nullopt;
    return item->data(Qt::UserRole).toInt();
}

bool TransponderListWindow::told(const Outcome& outcome) {
    if (!outcome) op_.inform(outcome.message);
    return outcome.ok;
}

void TransponderListWindow::returnSelected() {
    const std::optional<int32_t> number = selectedNumber();
    if (!number) return;
    told(returnHouseTransponder(desk_, program_, *number));
    refresh();
    emit competitorsChanged();
}

void TransponderListWindow::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

} // namespace vexa
