#include "session/transponder_commands.h"

#include "program/program.h"
#include "program/transponder_desk.h"
#include "ui/main/main_window.h"
#include "ui/transponders/house_transponders_window.h"
#include "ui/transponders/transponders_out_window.h"

namespace vexa {

namespace {

// Runs the window; a loan returned in it redraws the drivers list.
void runTransponderWindow(MainWindow& main, TransponderListWindow& window) {
    QObject::connect(&window, &TransponderListWindow::competitorsChanged, &main,
                     &MainWindow::refreshCompetitorList);
    window.exec();
}

} // namespace

void wireTransponderDesk(Program& program, Operator& op, MainWindow& main,
                         const ReportPrinting& printing) {
    connectCommand(main.menus().houseTransponders, [&program, &op, &main] {
        HouseTranspondersWindow window(program, op, &main);
        runTransponderWindow(main, window);
    });
    const auto showOut = [&program, &op, &main, &printing] {
        TranspondersOutWindow window(program, op, printing, &main);
        runTransponderWindow(main, window);
    };
    connectCommand(main.menus().transpondersOut, showOut);
    main.beforeExitConfirmation = [&program, showOut] {
        if (!TransponderDesk(program.home.houseTransponderFile()).out().empty()) showOut();
    };
}

} // namespace vexa
