#include "ui/main_window.h"

#include "model/competitor_list.h"
#include "platform/latin1.h"
#include "program/program.h"
#include "settings/settings_file.h"
#include "ui/competitor_list_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vexa {

MainWindow::MainWindow(Program& program, QWidget* parent) : QMainWindow(parent), program_(program) {
    setObjectName(QStringLiteral("MainF"));
    setWindowTitle(QStringLiteral("Vexa Free V") + QString::fromLatin1(ProgramVersion));

    auto* driversScreen = new QWidget(this);
    driversScreen->setObjectName(QStringLiteral("DriversPanel"));

    auto* title = new QLabel(toQt(program_.eventName), driversScreen);
    title->setObjectName(QStringLiteral("eventnameLB"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);

    auto* displayLabel = new QLabel(QStringLiteral("Display Drivers by"), driversScreen);
    displayBy_ = new QComboBox(driversScreen);
    displayBy_->setObjectName(QStringLiteral("displaybyCB"));
    displayBy_->addItems(
        {QStringLiteral("Id Number"), QStringLiteral("First Name"), QStringLiteral("Second Name")});
    displayLabel->setBuddy(displayBy_);

    competitorList_ = new CompetitorListView(program_, driversScreen);

    auto* bar = new QHBoxLayout;
    bar->addWidget(title);
    bar->addStretch();
    bar->addWidget(displayLabel);
    bar->addWidget(displayBy_);
    auto* layout = new QVBoxLayout(driversScreen);
    layout->addLayout(bar);
    layout->addWidget(competitorList_);
    setCentralWidget(driversScreen);

    connect(displayBy_, &QComboBox::currentIndexChanged, this, &MainWindow::refreshCompetitorList);
    refreshCompetitorList();
    resize(900, 600);
}

void MainWindow::refreshCompetitorList() {
    static const DriverOrder orders[] = {DriverOrder::IdNumber, DriverOrder::FirstName,
                                         DriverOrder::SecondName};
    competitorList_->refresh(orders[std::max(0, displayBy_->currentIndex())]);
}

} // namespace vexa
