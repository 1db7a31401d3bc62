// The drivers screen's list redrawn with a full event, and the entry window opened on a driver.
#include "platform/qt_operator.h"
#include "program/program.h"
#include "programme/competitor_list.h"
#include "ui/drivers/competitor_list_view.h"
#include "ui/drivers/driver_entry_window.h"

#include <QApplication>

#include <memory>

#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

// 300 drivers with names in no order, frequencies, transponders and results.
void fillEvent(Program& program) {
    static const char* const first[] = {"Ann", "bob", "Carl", "dave", "Eve", "fred", "Gus"};
    static const char* const second[] = {"Lee", "Adams", "moss", "Zed", "Day", "Brown"};
    for (int f = 1; f <= 200; ++f) program.freqnames.names[f] = "27." + std::to_string(f);
    for (int c = 0; c < 31; ++c) program.settings.classes[c].name = "Class " + std::to_string(c);
    for (int id = 1; id <= 300; ++id) {
        comp_ent& c = program.event.competitor(id);
        c.name = std::string(first[(id * 7) % 7]) + " " + second[(id * 13) % 6] + " " +
                 std::to_string((id * 37) % 300);
        c.classno = static_cast<int8_t>(id % 31);
        c.ability = static_cast<int8_t>(id % 101);
        c.memno = std::to_string(100000 + id);
        c.heatfreq = static_cast<uint8_t>(id % 200 + 1);
        c.transponder = 1000000 + id;
        c.enabled = id % 5 ? 'Y' : 'N';
        for (int r = 1; r <= 20; ++r) program.event.storeResult(id, r, 10 + r, 300.0 + id * 0.01);
    }
}

void BM_DriversListRefresh(benchmark::State& state) {
    Program program;
    fillEvent(program);
    CompetitorListView list(program);
    list.resize(900, 600);
    const auto order = static_cast<DriverOrder>(state.range(0));
    list.refresh(order);
    list.selectRow(150);
    for (auto _ : state) {
        list.refresh(order);
        benchmark::DoNotOptimize(list.rowCount());
    }
}
BENCHMARK(BM_DriversListRefresh)
    ->Arg(static_cast<int>(DriverOrder::IdNumber))
    ->Arg(static_cast<int>(DriverOrder::FirstName))
    ->Arg(static_cast<int>(DriverOrder::SecondName))
    ->Unit(benchmark::kMillisecond);

// The window made, filled with a driver and shown, as the first "Edit" of a run does.
void BM_EntryWindowOpenedFirstTime(benchmark::State& state) {
    Program program;
    fillEvent(program);
    QtOperator op;
    for (auto _ : state) {
        auto window = std::make_unique<DriverEntryWindow>(program, op);
        window->setCompetitor(150);
        window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->isVisible());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EntryWindowOpenedFirstTime)->Unit(benchmark::kMillisecond);

// The window kept for the run, opened again on another driver.
void BM_EntryWindowOpenedAgain(benchmark::State& state) {
    Program program;
    fillEvent(program);
    QtOperator op;
    DriverEntryWindow window(program, op);
    int id = 1;
    for (auto _ : state) {
        window.setCompetitor(id);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
        state.PauseTiming();
        window.hide();
        id = id % 300 + 1;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EntryWindowOpenedAgain)->Unit(benchmark::kMillisecond);

} // namespace
