#include "session/table_commands.h"

#include "output/result_outputs.h"
#include "program/program.h"
#include "session/driver_commands.h"
#include "session/end_of_round.h"
#include "session/session.h"
#include "ui/drivers/competitor_list_view.h"
#include "ui/drivers/driver_entry_window.h"
#include "ui/drivers/drivers_screen.h"
#include "ui/main/main_window.h"
#include "ui/results/multiple_ftd_window.h"
#include "ui/tables/find_driver_dialog.h"
#include "ui/tables/tables_screen.h"

namespace vexa {

void wireTableCommands(Session& session) {
    MainWindow& window = session.mainWindow();
    auto* screen =
        new TablesScreen(session.program(), session.op(),
                         TablesScreenPorts{session.printing(), [&session](int first, int last) {
                                               session.outputs().writeOverallPage(first, last);
                                           }});
    window.setScreenWidget(Screen::Tables, screen);
    QObject::connect(&window, &MainWindow::screenShown, screen, [screen](Screen shown) {
        if (shown == Screen::Tables) screen->showTables();
    });
    if (DriverCommands* drivers = window.findChild<DriverCommands*>()) {
        QObject::connect(screen, &TablesScreen::driverOpenRequested, drivers,
                         [drivers, screen](int id) {
                             drivers->editDriver(id);
                             screen->redraw();
                         });
        QObject::connect(screen, &TablesScreen::frequenciesOpenRequested, drivers,
                         [drivers, screen](int id) {
                             DriverEntryWindow& entry = drivers->entryWindow();
                             entry.setCompetitor(id);
                             entry.openFrequencies();
                             screen->frequenciesChanged();
                         });
    }
    screen->sortWindow().setMultipleFtdWindow([&session](QWidget* parent) {
        MultipleFtdWindow multiple(session.program(), session.op(), parent);
        multiple.exec();
    });
    session.endOfRound().setSortFinals([&session] { sortTableForFinals(session); });
    connectCommand(window.menus().findDriver, [&session] {
        if (const int id = session.mainWindow().driversScreen().list().selectedId())
            openFindDriver(session, id);
    });
}

TablesScreen& tablesScreen(Session& session) {
    return *session.mainWindow().screenPage(Screen::Tables).findChild<TablesScreen*>();
}

void openFindDriver(Session& session, int id) {
    MainWindow& window = session.mainWindow();
    FindDriverDialog find(
        session.program().event, id,
        [&session, &window](bool heats, TablePlace place) {
            window.showScreen(Screen::Tables);
            tablesScreen(session).goTo(heats, place.race, place.slot);
            window.activateWindow();
        },
        &window);
    find.exec();
}

bool sortTableForFinals(Session& session) {
    // The finals page is what the race director sees behind the sort windows and after them.
    session.mainWindow().showScreen(Screen::Tables);
    return tablesScreen(session).sortForFinals();
}

} // namespace vexa
