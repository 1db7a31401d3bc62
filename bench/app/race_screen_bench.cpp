// One passing on the race screen: the race engine counts it and both standings grids, the race
// panel's and the spectators', are repainted, for 20 cars at lap 150.
#include "race_screen_rig.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

class RaceScreenBench : public bench::RaceScreenRig {
  public:
    // The next passing: cars in turn, each about a lap after its previous one.
    void nextPassing() {
        const int car = next_ % Cars;
        const int lap = 151 + next_ / Cars;
        ++next_;
        pass(car, lap);
    }

    // Both grids drawn again whole, as when every row changed.
    void repaintEveryRow() {
        grid->viewport()->update();
        spectators->grid().viewport()->update();
    }

  private:
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
