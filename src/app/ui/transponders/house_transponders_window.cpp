#include "ui/transponders/house_transponders_window.h"

#include "platform/latin1.h"
#include "ui/drivers/controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int LabelCapacity = 20;

} // namespace

HouseTranspondersWindow::HouseTranspondersWindow(Program& program, Operator& op, QWidget* parent)
    : TransponderListWindow(program, op, "House Transponders", "HouseTranspondersF", "HouseLB",
                            parent) {
    auto* caption = new QLabel(QStringLiteral("The club's &loan transponders"), this);
    caption->setBuddy(list_);
    number_ = digitBox(7, "numberED", this);
    label_ = textBox(LabelCapacity, "labelED", this);
    auto* numberLabel = new QLabel(QStringLiteral("&Number"), this);
    numberLabel->setBuddy(number_);
    auto* labelLabel = new QLabel(QStringLiteral("La&bel"), this);
    labelLabel->setBuddy(label_);
    auto* add = plainButton(QStringLiteral("&Add"), "AddBtn", this);
    auto* remove = plainButton(QStringLiteral("Re&move"), "RemoveBtn", this);
    auto* close = plainButton(QStringLiteral("Close"), "CloseBtn", this);
    connect(add, &QPushButton::clicked, this, &HouseTranspondersWindow::addTyped);
    // Enter moves from the number to the label, and adds from the label.
    connect(number_, &QLineEdit::returnPressed, label_, [this] { label_->setFocus(); });
    connect(label_, &QLineEdit::returnPressed, this, &HouseTranspondersWindow::addTyped);
    connect(remove, &QPushButton::clicked, this, &HouseTranspondersWindow::removeSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* entry = new QGridLayout;
    entry->addWidget(numberLabel, 0, 0);
    entry->addWidget(number_, 0, 1);
    entry->addWidget(labelLabel, 1, 0);
    entry->addWidget(label_, 1, 1);
    entry->addWidget(add, 1, 2);
    entry->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(return_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    chainTabOrder({list_, number_, label_, add, remove, return_, close});
    resize(520, 380);
}

void HouseTranspondersWindow::addTyped() {
    if (!told(desk_.add(fromQt(number_->text()), fromQt(label_->text())))) return;
    number_->clear();
    label_->clear();
    refresh();
    number_->setFocus();
}

void HouseTranspondersWindow::removeSelected() {
    const std::optional<int32_t> number = selectedNumber();
    if (!number) return;
    told(desk_.remove(*number));
    refresh();
}

} // namespace vexa
