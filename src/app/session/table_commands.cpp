#include "session/table_commands.h"

#include "output/result_outputs.h"
#include "program/program.h"
#include "session/driver_commands.h"
#include "session/end_of_round.h"
#include "ui/drivers/competitor_list_view.h"
#include "ui/drivers/driver_entry_window.h"
#include "ui/drivers/drivers_screen.h"
#include "ui/main/main_window.h"
#include "ui/results/multiple_ftd_window.h"
#include "ui/tables/find_driver_dialog.h"
#include "ui/tables/tables_screen.h"

namespace vexa {

void wireTableCommands(const TableCommandParts& parts) {
    MainWindow& window = parts.window;
    Program& program = parts.program;
    Operator& op = parts.op;
    ResultOutputs& outputs = parts.outputs;
    auto* screen = new TablesScreen(
        program, op, TablesScreenPorts{parts.printing, [&outputs](int first, int last) {
                                           outputs.writeOverallPage(first, last);
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
    screen->sortWindow().setMultipleFtdWindow([&program, &op](QWidget* parent) {
        MultipleFtdWindow multiple(program, op, parent);
        multiple.exec();
    });
    parts.endOfRound.setSortFinals([&window] { sortTableForFinals(window); });
    connectCommand(window.menus().findDriver, [&window, &program] {
        if (const int id = window.driversScreen().list().selectedId())
            openFindDriver(window, program.event, id);
    });
}

TablesScreen& tablesScreen(MainWindow& window) {
    return *window.screenPage(Screen::Tables).findChild<TablesScreen*>();
}

void openFindDriver(MainWindow& window, const EventData& event, int id) {
    FindDriverDialog find(
        event, id,
        [&window](bool heats, TablePlace place) {
            window.showScreen(Screen::Tables);
            tablesScreen(window).goTo(heats, place.race, place.slot);
            window.activateWindow();
        },
        &window);
    find.exec();
}

bool sortTableForFinals(MainWindow& window) {
    // The finals page is what the race director sees behind the sort windows and after them.
    window.showScreen(Screen::Tables);
    return tablesScreen(window).sortForFinals();
}

} // namespace vexa
