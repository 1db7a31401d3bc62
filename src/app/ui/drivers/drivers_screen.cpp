#include "ui/drivers/drivers_screen.h"

#include "platform/latin1.h"
#include "program/program.h"
#include "programme/competitor_list.h"
#include "ui/drivers/competitor_list_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

DriversScreen::DriversScreen(const Program& program, QWidget* parent)
    : QWidget(parent), program_(program) {
    setObjectName(QStringLiteral("DriversPanel"));

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("eventnameLB"));
    QFont big = title_->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title_->setFont(big);

    edit_ = new QPushButton(QStringLiteral("Edit"), this);
    edit_->setObjectName(QStringLiteral("EditBtn"));
    options_ = new QPushButton(QStringLiteral("&Options"), this);
    options_->setObjectName(QStringLiteral("DriversOptionsBtn"));

    auto* displayLabel = new QLabel(QStringLiteral("Display Drivers by"), this);
    displayBy_ = new QComboBox(this);
    displayBy_->setObjectName(QStringLiteral("displaybyCB"));
    displayBy_->addItems(
        {QStringLiteral("Id Number"), QStringLiteral("First Name"), QStringLiteral("Second Name")});
    displayLabel->setBuddy(displayBy_);

    list_ = new CompetitorListView(program_, this);

    auto* bar = new QHBoxLayout;
    bar->addWidget(edit_);
    bar->addWidget(options_);
    bar->addSpacing(16);
    bar->addWidget(title_);
    bar->addStretch();
    bar->addWidget(displayLabel);
    bar->addWidget(displayBy_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(list_);

    connect(displayBy_, &QComboBox::currentIndexChanged, this, &DriversScreen::refresh);
    refresh();
}

void DriversScreen::refresh() {
    static const DriverOrder orders[] = {DriverOrder::IdNumber, DriverOrder::FirstName,
                                         DriverOrder::SecondName};
    title_->setText(toQt(program_.eventName));
    list_->refresh(orders[std::max(0, displayBy_->currentIndex())]);
}

} // namespace vexa
