// The tables screen with both tables full (50 races of 20, side bars with names): shown by the
// "Tables" button and painted, and one digit typed into a slot and painted. Showing must stay
// well under 10 ms; a digit redraws only its cell and the side bar.
#include "platform/qt_operator.h"
#include "program/main_screens.h"
#include "program/program.h"
#include "ui/main/main_window.h"
#include "ui/tables/racing_grid.h"
#include "ui/tables/table_page.h"
#include "ui/tables/tables_screen.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include <memory>

using namespace vexa;

namespace {

// A main window with the tables screen on its page, over an event with 300 drivers and both
// tables full.
struct FullTables {
    Program program;
    MainScreens screens{program};
    QtOperator op;
    std::unique_ptr<MainWindow> window;
    TablesScreen* screen = nullptr;

    FullTables() {
        for (int cls = 0; cls < 5; ++cls)
            program.settings.classes[cls].name = "Class number " + std::to_string(cls);
        for (int id = 1; id <= MaxCompetitors; ++id) {
            comp_ent& c = program.event.competitor(id);
            c.name = "Driver with name " + std::to_string(id);
            c.classno = static_cast<int8_t>(id % 5);
        }
        for (RacingTable* table : {&program.event.heats, &program.event.finals})
            for (int race = 1; race <= MaxRaces; ++race) {
                table->setInfo(race, std::to_string(race % 5) + "/A");
                for (int slot = 1; slot <= MaxSlots; ++slot)
                    table->setSlotText(
                        race, slot, std::to_string(((race - 1) * MaxSlots + slot - 1) % 300 + 1));
            }
        window = std::make_unique<MainWindow>(program, screens, op);
        ReportPrinting printing{program, OutputIdentity{},
                                [](QWidget*, const QString&) { return nullptr; },
                                [] { return LocalMoment{}; }, op};
        screen = new TablesScreen(program, op, TablesScreenPorts{printing, {}});
        window->setScreenWidget(Screen::Tables, screen);
        QObject::connect(window.get(), &MainWindow::screenShown, screen, [this](Screen shown) {
            if (shown == Screen::Tables) screen->showTables();
        });
        window->resize(1280, 900);
        window->show();
        window->showScreen(Screen::Tables);
        QApplication::processEvents();
    }
};

void BM_ShowFullTablesScreen(benchmark::State& state) {
    FullTables tables;
    for (auto _ : state) {
        state.PauseTiming();
        tables.window->showScreen(Screen::Drivers);
        QApplication::processEvents();
        state.ResumeTiming();
        tables.window->showScreen(Screen::Tables);
        tables.screen->repaint();
    }
}
BENCHMARK(BM_ShowFullTablesScreen)->Unit(benchmark::kMillisecond);

void BM_TypeDigitIntoFullTable(benchmark::State& state) {
    FullTables tables;
    TablePage& page = tables.screen->page(true);
    RacingGrid& grid = page.grid();
    grid.setFocus();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.selectCell(1 + n % MaxRaces, 1 + (n / MaxRaces) % MaxSlots);
        ++n;
        QApplication::processEvents();
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
        QApplication::sendEvent(&grid, &press);
        QApplication::processEvents(); // paints what the digit changed
    }
}
BENCHMARK(BM_TypeDigitIntoFullTable)->Unit(benchmark::kMicrosecond);

} // namespace
