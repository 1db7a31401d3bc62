// A full event: 300 competitors in 31 classes with 20 rounds of results, a full heats table,
// and the rankings and table fills run on it.
#include "programme/entry_checks.h"
#include "programme/frequency_allocation.h"
#include "programme/seeding_orders.h"
#include "programme/table_fill.h"
#include "scoring/ftd_standings.h"
#include "scoring/round_points.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace vexa;

namespace {

struct FullEvent {
    EventData event;
    ProgSettings settings;
    PerRace perrace{};

    FullEvent() {
        std::mt19937 random(2024);
        std::uniform_int_distribution<int> laps(8, 14);
        std::uniform_int_distribution<int> millis(290000, 310000);
        std::uniform_int_distribution<int> chance(0, 19);
        for (int cls = 0; cls < MaxClasses; ++cls)
            settings.classes[cls].name = "Class " + std::to_string(cls);
        for (int id = 1; id <= MaxCompetitors; ++id) {
            comp_ent& c = event.cpts[id];
            c.name = "Driver " + std::to_string(id);
            c.classno = static_cast<int8_t>((id - 1) % MaxClasses);
            c.ability = static_cast<int8_t>(random() % 101);
            c.setOwnedFreqs({1 + id % 40, 41 + id % 40, 81 + id % 40});
            c.heatfreq = static_cast<uint8_t>(1 + id % 7);
            for (int round = 1; round <= MaxRounds; ++round) {
                if (chance(random) == 0) continue; // did not run
                // Whole seconds now and then, so that equal results occur.
                const int ms = millis(random);
                event.storeResult(id, round, laps(random),
                                  chance(random) < 3 ? ms / 1000 : ms / 1000.0);
            }
        }
        perrace.fill(10); // 31 classes of 9 or 10: one race each
        FillTableFromOrder(event.heats, AbilitySort(event), event, perrace, true);
    }
};

const FullEvent& fullEvent() {
    static const FullEvent e;
    return e;
}

void RoundPointsMode2WithFill(benchmark::State& state) {
    FullEvent e = fullEvent();
    for (auto _ : state) {
        const PointsStandings p = RoundPoints(e.event, e.settings, 1, 20, 3, true);
        benchmark::DoNotOptimize(
            FillTableFromOrder(e.event.finals, p.wholeField, e.event, e.perrace, true));
    }
}
BENCHMARK(RoundPointsMode2WithFill)->Unit(benchmark::kMillisecond);

void FTDSortWithFill(benchmark::State& state) {
    FullEvent e = fullEvent();
    for (auto _ : state) {
        const OrderList list = FTDSort(e.event, 1, 20);
        benchmark::DoNotOptimize(
            FillTableFromOrder(e.event.finals, list, e.event, e.perrace, true));
    }
}
BENCHMARK(FTDSortWithFill)->Unit(benchmark::kMillisecond);

void FtdOrderOfEveryClass(benchmark::State& state) {
    const FullEvent& e = fullEvent();
    for (auto _ : state) benchmark::DoNotOptimize(ftdStandings(e.event, e.settings, 1, 20, true));
}
BENCHMARK(FtdOrderOfEveryClass)->Unit(benchmark::kMillisecond);

void PointsReportOfEveryClass(benchmark::State& state) {
    const FullEvent& e = fullEvent();
    for (auto _ : state)
        benchmark::DoNotOptimize(RoundPoints(e.event, e.settings, 1, 20, 20, false));
}
BENCHMARK(PointsReportOfEveryClass)->Unit(benchmark::kMillisecond);

void EntryChecksOfAFullTable(benchmark::State& state) {
    const FullEvent& e = fullEvent();
    for (auto _ : state) benchmark::DoNotOptimize(checkEntries(e.event, true));
}
BENCHMARK(EntryChecksOfAFullTable)->Unit(benchmark::kMillisecond);

void FreqSortOfAFullTable(benchmark::State& state) {
    FullEvent e = fullEvent();
    for (auto _ : state) {
        freqSort(e.event, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FreqSortOfAFullTable)->Unit(benchmark::kMillisecond);

} // namespace
