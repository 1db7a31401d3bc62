#include "ui/main/main_window.h"

#include "base/version.h"
#include "ports/operator.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "ui/drivers/drivers_screen.h"
#include "ui/main/brand_picture.h"
#include "ui/main/exit_confirmation.h"
#include "ui/main/timing_status_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

// Every menu drops this far below the top of the main window.
constexpr int MenuDropY = 70;

int pageIndex(Screen screen) {
    return static_cast<int>(screen) - 1;
}

} // namespace

void connectCommand(QAction* item, std::function<void()> command) {
    item->setEnabled(true);
    QObject::connect(item, &QAction::triggered, item,
                     [command = std::move(command)] { command(); });
}

MainWindow::MainWindow(Program& program, MainScreens& screens, Operator& op, QWidget* parent)
    : QMainWindow(parent), program_(program), screens_(screens), op_(op) {
    setObjectName(QStringLiteral("MainF"));
    setWindowTitle(QStringLiteral("Vexa Free V") + QString::fromLatin1(ProgramVersion));

    auto* central = new QWidget(this);
    auto* race = topButton(QStringLiteral("Race"), "RaceBtn");
    race->setToolTip(QStringLiteral("Show Race Screen"));
    auto* tables = topButton(QStringLiteral("Tables"), "TablesBtn");
    auto* drivers = topButton(QStringLiteral("Drivers"), "DriversBtn");
    output_ = topButton(QStringLiteral("Output"), "OutputBtn");
    options_ = topButton(QStringLiteral("Options"), "OptionsBtn");
    brand_ = new QToolButton(this);
    brand_->setObjectName(QStringLiteral("BrandBtn"));
    brand_->setAccessibleName(QStringLiteral("Information"));
    brand_->setIcon(QIcon(brandPicture(120, 38)));
    brand_->setIconSize(QSize(120, 38));
    brand_->setAutoRaise(true);
    brand_->setFocusPolicy(Qt::NoFocus);

    auto* topBar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(race), static_cast<QWidget*>(tables),
                       static_cast<QWidget*>(drivers), static_cast<QWidget*>(output_),
                       static_cast<QWidget*>(options_)})
        topBar->addWidget(w);
    topBar->addStretch();
    liveResults_ = new QLabel(this);
    liveResults_->setObjectName(QStringLiteral("LiveResultsLB"));
    liveResults_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    liveResults_->hide();
    topBar->addWidget(liveResults_);
    topBar->addWidget(brand_);

    stack_ = new QStackedWidget(central);
    stack_->setObjectName(QStringLiteral("Screens"));
    drivers_ = new DriversScreen(program_, stack_);
    pages_[pageIndex(Screen::Drivers)] = drivers_;
    const char* pageNames[] = {"TablesPanel", "RacePanel"};
    for (int i = 1; i < 3; ++i) {
        pages_[i] = new QWidget(stack_);
        pages_[i]->setObjectName(QString::fromLatin1(pageNames[i - 1]));
        auto* pageLayout = new QVBoxLayout(pages_[i]);
        pageLayout->setContentsMargins(0, 0, 0, 0);
    }
    for (QWidget* page : pages_) stack_->addWidget(page);

    timing_ = new TimingStatusPanel(central);
    messages_ = new QPushButton(QStringLiteral("Messages"), central);
    messages_->setObjectName(QStringLiteral("messagesBtn"));
    messages_->setToolTip(QStringLiteral("Every message of the program, with its time"));
    messages_->setFocusPolicy(Qt::NoFocus); // lap-counting keys must not press it
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(timing_, 1);
    bottom->addWidget(messages_);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(topBar);
    layout->addWidget(stack_, 1);
    layout->addLayout(bottom);
    setCentralWidget(central);

    buildMenus();
    connect(race, &QPushButton::clicked, this, [this] { showScreen(Screen::Race); });
    connect(tables, &QPushButton::clicked, this, [this] { showScreen(Screen::Tables); });
    connect(drivers, &QPushButton::clicked, this, [this] { showScreen(Screen::Drivers); });
    connect(output_, &QPushButton::clicked, this, [this] { dropMenu(menus_.output, *output_); });
    connect(options_, &QPushButton::clicked, this, [this] { dropMenu(menus_.setup, *options_); });
    connect(brand_, &QToolButton::clicked, this, [this] { dropMenu(menus_.info, *brand_); });
    connect(&drivers_->editButton(), &QPushButton::clicked, this,
            [this] { dropMenu(menus_.driver, drivers_->editButton()); });
    connect(&drivers_->optionsButton(), &QPushButton::clicked, this,
            [this] { dropMenu(menus_.setup, drivers_->optionsButton()); });

    stack_->setCurrentIndex(pageIndex(screens_.current()));
    resize(1024, 680);
}

QPushButton* MainWindow::topButton(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(90);
    return button;
}

void MainWindow::buildMenus() {
    auto menu = [this](const char* name) {
        auto* m = new QMenu(this);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [](QMenu* m, const char* caption) {
        QAction* a = m->addAction(QString::fromLatin1(caption));
        a->setEnabled(false);
        return a;
    };
    MainMenus& m = menus_;
    m.setup = menu("setupMenu");
    m.newDatabase = item(m.setup, "New Drivers Database");
    m.openDatabase = item(m.setup, "Open Drivers Database");
    m.setup->addSeparator();
    m.programSetup = item(m.setup, "Program Setup");
    m.setup->addSeparator();
    m.houseTransponders = item(m.setup, "House Transponders");
    m.transpondersOut = item(m.setup, "Transponders out");

    m.info = menu("infoMenu");
    m.about = item(m.info, "About");
    m.homepage = item(m.info, "Vexa Homepage");

    m.output = menu("outputMenu");
    m.finalResults = item(m.output, "Final Results");
    m.positionPrint = item(m.output, "Position Print (EOR)");
    m.statistics = item(m.output, "Statistics");
    m.startOrder = item(m.output, "Start Order");
    m.frequencyNumbers = item(m.output, "Frequency Numbers");
    m.htmlOverall = item(m.output, "Html overall");
    m.labels = item(m.output, "Labels");
    m.htmlDirectory = item(m.output, "HTML Directory");
    m.upload = item(m.output, "Upload Results");
    m.correctResults = item(m.output, "Correct Results");

    m.driver = menu("driverMenu");
    m.newDriver = item(m.driver, "New");
    m.editDriver = item(m.driver, "Edit");
    m.deleteDriver = item(m.driver, "Delete");
    m.findDriver = item(m.driver, "Find");
    m.driver->addSeparator();
    m.copyToDatabase = item(m.driver, "Copy to Database");
    m.copyAllToDatabase = item(m.driver, "Copy all to Database");
    m.driver->addSeparator();
    m.enableAll = item(m.driver, "Enable All Drivers");
    m.disableAll = item(m.driver, "Disable All Drivers");
    m.driver->addSeparator();
    m.importCsv = item(m.driver, "Import from CSV File");
}

QWidget& MainWindow::screenPage(Screen screen) {
    return *pages_[pageIndex(screen)];
}

void MainWindow::setScreenWidget(Screen screen, QWidget* widget) {
    QWidget& page = screenPage(screen);
    widget->setParent(&page);
    page.layout()->addWidget(widget);
}

void MainWindow::showScreen(Screen screen) {
    RaceEngine* race = screens_.race();
    if (screen == Screen::Race && race && race->takeEndOfRoundReopen()) {
        emit endOfRoundReopened();
        return;
    }
    const Outcome saved = screens_.show(screen);
    stack_->setCurrentIndex(pageIndex(screen));
    if (screen == Screen::Race && race) race->openRaceScreen();
    if (screen == Screen::Drivers) refreshCompetitorList();
    emit screenShown(screen);
    if (!saved) op_.inform(saved.message);
}

void MainWindow::dropMenu(QMenu* menu, const QWidget& button) {
    const QPoint inWindow(button.mapTo(this, QPoint(0, 0)).x(), MenuDropY);
    menu->popup(mapToGlobal(inWindow));
}

void MainWindow::showLiveResults(const QString& text) {
    liveResults_->setText(text);
    liveResults_->setVisible(!text.isEmpty());
}

void MainWindow::refreshCompetitorList() {
    drivers_->refresh();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!screens_.closeRequestHeard()) return;
    if (beforeExitConfirmation) beforeExitConfirmation();
    ExitConfirmation confirmation(this);
    if (confirmation.exec() != QDialog::Accepted) return;
    if (const Outcome saved = screens_.saveOnExit(); !saved) {
        op_.inform(saved.message);
        return;
    }
    event->accept();
    emit exiting();
    QApplication::quit();
}

} // namespace vexa
