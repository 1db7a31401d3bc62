#pragma once

#include "program/main_screens.h"

#include <QMainWindow>

#include <functional>

class QLabel;
class QMenu;
class QAction;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace vexa {

struct Program;
class Operator;
class DriversScreen;
class TimingStatusPanel;

// The items of the main window's drop-down menus, by caption. An item does something once a
// command is connected to it; until then it is disabled.
struct MainMenus {
    QMenu* setup = nullptr;  // "Options" / "&Options"
    QMenu* info = nullptr;   // the brand picture
    QMenu* output = nullptr; // "Output"
    QMenu* driver = nullptr; // "Edit" on the drivers screen

    QAction* newDatabase = nullptr;       // "New Drivers Database"
    QAction* openDatabase = nullptr;      // "Open Drivers Database"
    QAction* programSetup = nullptr;      // "Program Setup"
    QAction* houseTransponders = nullptr; // "House Transponders"
    QAction* transpondersOut = nullptr;   // "Transponders out"

    QAction* about = nullptr;    // "About"
    QAction* homepage = nullptr; // "Vexa Homepage"

    QAction* finalResults = nullptr;     // "Final Results"
    QAction* positionPrint = nullptr;    // "Position Print (EOR)"
    QAction* statistics = nullptr;       // "Statistics"
    QAction* startOrder = nullptr;       // "Start Order"
    QAction* frequencyNumbers = nullptr; // "Frequency Numbers"
    QAction* htmlOverall = nullptr;      // "Html overall": no action of its own
    QAction* labels = nullptr;           // "Labels"
    QAction* htmlDirectory = nullptr;    // "HTML Directory"
    QAction* upload = nullptr;           // "Upload Results"
    QAction* correctResults = nullptr;   // "Correct Results"

    QAction* newDriver = nullptr;         // "New"
    QAction* editDriver = nullptr;        // "Edit"
    QAction* deleteDriver = nullptr;      // "Delete"
    QAction* findDriver = nullptr;        // "Find"
    QAction* copyToDatabase = nullptr;    // "Copy to Database"
    QAction* copyAllToDatabase = nullptr; // "Copy all to Database"
    QAction* enableAll = nullptr;         // "Enable All Drivers"
    QAction* disableAll = nullptr;        // "Disable All Drivers"
    QAction* importCsv = nullptr;         // "Import from CSV File"
};

// Connects a menu item to its command and enables it.
void connectCommand(QAction* item, std::function<void()> command);

// The main window: the top bar ("Race", "Tables", "Drivers", "Output", "Options", the brand
// picture), the three screens of which one shows at a time, and below them the timing labels,
// the notice line and "Messages". It can be made as small as a laptop's screen (1024 x 600).
// The drivers screen is its own; the tables and race screens are put in by their owners.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Program& program, MainScreens& screens, Operator& op, QWidget* parent = nullptr);

    const MainMenus& menus() const { return menus_; }
    DriversScreen& driversScreen() { return *drivers_; }
    TimingStatusPanel& timingPanel() { return *timing_; }
    // "Messages", beside the notice line: opens the message log.
    QPushButton& messagesButton() { return *messages_; }
    // The page of a screen: the drivers screen, or where the tables or race screen goes.
    QWidget& screenPage(Screen screen);
    // Puts the tables or race screen's widget on its page.
    void setScreenWidget(Screen screen, QWidget* widget);

    // Shows a screen as its top-bar button does (leaving the tables screen writes both table
    // files; the race screen's first showing starts the countdown).
    void showScreen(Screen screen);
    // Drops a menu under a top-bar button, 70 pixels below the top of the window.
    void dropMenu(QMenu* menu, const QWidget& button);
    // Redraws the drivers list and the event's name.
    void refreshCompetitorList();
    // The address where phones find the live results, or why they are not served (empty: off).
    void showLiveResults(const QString& text);

    // Asked before the operator confirms the end of the program (the loans still out are shown).
    std::function<void()> beforeExitConfirmation;

  signals:
    // A screen was shown by its button; its owner refreshes what it shows.
    void screenShown(vexa::Screen screen);
    // "Race" while the end-of-round window waits to be shown again: it is shown instead of the
    // race screen.
    void endOfRoundReopened();
    // The operator typed "yes" and the event is saved: the program ends now.
    void exiting();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* topButton(const QString& caption, const char* name);
    void buildMenus();

    Program& program_;
    MainScreens& screens_;
    Operator& op_;
    MainMenus menus_;
    QStackedWidget* stack_;
    QWidget* pages_[3];
    DriversScreen* drivers_;
    TimingStatusPanel* timing_;
    QPushButton* messages_;
    QPushButton* options_;
    QPushButton* output_;
    QToolButton* brand_;
    QLabel* liveResults_;
};

} // namespace vexa
