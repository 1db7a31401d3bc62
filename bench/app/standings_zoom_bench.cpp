// A step of the standings' zoom (Ctrl+plus, Ctrl+minus) and a resize of the windows, with 20 rows
// on both grids laid out and painted again: each should take less than a frame (16 ms).
#include "race_screen_rig.h"
#include "settings/display_settings.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

void reportPaints(benchmark::State& state, const bench::RaceScreenRig& rig) {
    state.counters["operator_paints"] =
        benchmark::Counter(rig.operatorPaints.paints, benchmark::Counter::kAvgIterations);
    state.counters["spectator_paints"] =
        benchmark::Counter(rig.spectatorPaints.paints, benchmark::Counter::kAvgIterations);
}

// Zooms in and out by turns, as the shortcuts do: both grids take their new fonts, rows and
// columns, and are painted.
void BM_ZoomStepBothGridsRepainted(benchmark::State& state) {
    bench::RaceScreenRig rig;
    int steps = 0;
    for (auto _ : state) {
        ProgSettings& s = rig.program.settings;
        s.standingsZoom = steppedZoom(s.standingsZoom, (steps++ % 2 == 0) ? 1 : -1);
        emit rig.session->displaySettingsChanged();
        // The race screen's rows already fill it with the whole field, so the zoom leaves it as
        // it is; it is drawn again all the same, for the worst case.
        rig.spectators->grid().viewport()->update();
        QApplication::processEvents();
    }
    reportPaints(state, rig);
}

// The main window between a laptop's 1024 x 600 and 1366 x 728, the race screen between
// 1280 x 1024 and 1920 x 1080, by turns.
void BM_WindowResizeBothGridsRepainted(benchmark::State& state) {
    bench::RaceScreenRig rig;
    bool big = false;
    for (auto _ : state) {
        big = !big;
        rig.window().resize(big ? QSize(1366, 728) : QSize(1024, 600));
        rig.spectators->resize(big ? QSize(1920, 1080) : QSize(1280, 1024));
        QApplication::processEvents();
    }
    reportPaints(state, rig);
}

BENCHMARK(BM_ZoomStepBothGridsRepainted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WindowResizeBothGridsRepainted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
