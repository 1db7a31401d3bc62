// One passing on the race screen: the race engine counts it and both standings grids, the race
// panel's and the spectators', are repainted, for 20 cars at lap 150.
#include "../counted_race_field.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/session.h"
#include "ui/main/main_window.h"
#include "ui/race/race_screen.h"
#include "ui/race/standings_grid.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

// Counts the paint events of a grid's viewport.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class RaceScreenBench {
  public:
    static constexpr int Cars = 20;

    RaceScreenBench() {
        program.home.root = home.path().toStdString();
        startProgram(program);
        createEvent(program, "Bench");
        bench::prepareCountedRaceField(program);
        program.settings.countDevice = 0; // the keys count: the clock runs from the start
        session = std::make_unique<Session>(
            program,
            SessionPorts{
                &clock, &scheduler, &sound, &sound, nullptr, nullptr, [](const QUrl&) {}, {}});
        MainWindow& window = session->mainWindow();
        window.resize(1000, 680);
        window.show();
        window.showScreen(Screen::Race);
        spectators = window.findChild<RaceScreen*>();
        spectators->resize(1280, 1024);
        spectators->show();
        while (program.race->values().RaceState != RaceStates::Running && scheduler.fireNext()) {
        }
        // Every car to lap 150, the field spread over a lap.
        for (int lap = 1; lap <= 150; ++lap) passAll(lap);
        QApplication::processEvents();
        grid_ = window.findChild<StandingsGrid*>(QStringLiteral("CRaceGrid"));
        grid_->viewport()->installEventFilter(&operatorPaints);
        spectators->grid().viewport()->installEventFilter(&spectatorPaints);
    }

    ~RaceScreenBench() { session.reset(); }

    // The next passing: cars in turn, each about a lap after its previous one.
    void nextPassing() {
        const int car = next_ % Cars;
        const int lap = 151 + next_ / Cars;
        ++next_;
        pass(car, lap);
    }

    // Both grids drawn again whole, as when every row changed.
    void repaintEveryRow() {
        grid_->viewport()->update();
        spectators->grid().viewport()->update();
    }

    PaintCounter operatorPaints;
    PaintCounter spectatorPaints;

  private:
    void passAll(int lap) {
        for (int car = 0; car < Cars; ++car) pass(car, lap);
    }
    void pass(int car, int lap) { bench::countFieldPassing(*program.race, scheduler, car, lap); }

    QTemporaryDir home;
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts sound{clock};
    Program program;
    std::unique_ptr<Session> session;
    RaceScreen* spectators = nullptr;
    StandingsGrid* grid_ = nullptr;
    int next_ = 0;
};

// Passings one after another, each followed by the painting it causes; with `everyRow` both
// grids are drawn again whole, as when every row changed.
void runPassings(benchmark::State& state, bool everyRow) {
    RaceScreenBench bench;
    for (auto _ : state) {
        bench.nextPassing();
        if (everyRow) bench.repaintEveryRow();
        QApplication::processEvents();
    }
    state.counters["operator_paints"] =
        benchmark::Counter(bench.operatorPaints.paints, benchmark::Counter::kAvgIterations);
    state.counters["spectator_paints"] =
        benchmark::Counter(bench.spectatorPaints.paints, benchmark::Counter::kAvgIterations);
}

// The rows that a passing changed are drawn again (mostly the car's own row, two when places
// swap, every row behind a leader starting a new lap).
void BM_OnePassingToBothGridsRepainted(benchmark::State& state) {
    runPassings(state, false);
}
// The worst case: every row of both grids drawn again after the passing.
void BM_OnePassingEveryRowOfBothGridsRepainted(benchmark::State& state) {
    runPassings(state, true);
}
BENCHMARK(BM_OnePassingToBothGridsRepainted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(400)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OnePassingEveryRowOfBothGridsRepainted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(400)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
