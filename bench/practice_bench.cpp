// An open practice of 40 cars: one crossing with 40 rows in the table, the table sorted for a
// grid, and a whole practice hour (about 6,000 crossings) with the CSV written at each best.
#include "race/practice_table.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace vexa;

namespace {

constexpr int Cars = 40;

std::string driverName(int32_t transponder) {
    return transponder % 4 == 0 ? std::string{} : "Driver " + std::to_string(transponder);
}

// The crossings of an hour: each car laps in 20 to 26 s with a stop of a minute now and then.
std::vector<std::pair<double, int32_t>> practiceHour() {
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> lap(20.0, 26.0);
    std::uniform_int_distribution<int> stop(0, 60);
    std::vector<std::pair<double, int32_t>> crossings;
    for (int car = 1; car <= Cars; ++car)
        for (double t = car * 0.7; t < 3600.0; t += stop(random) == 0 ? 60.0 : lap(random))
            crossings.push_back({t, 1000000 + car});
    std::sort(crossings.begin(), crossings.end());
    return crossings;
}

PracticeTable fullTable() {
    PracticeTable table(PracticeRules{7.0, 30.0, 3}, driverName);
    for (const auto& [at, transponder] : practiceHour()) {
        if (at > 600.0) break;
        table.crossing(transponder, at);
    }
    return table;
}

void BM_PracticeCrossingWith40Rows(benchmark::State& state) {
    PracticeTable table = fullTable();
    double at = 600.0;
    int car = 0;
    for (auto _ : state) {
        at += 0.6;
        benchmark::DoNotOptimize(table.crossing(1000001 + car, at));
        car = (car + 1) % Cars;
    }
}
BENCHMARK(BM_PracticeCrossingWith40Rows);

void BM_PracticeGridOrder(benchmark::State& state) {
    const PracticeTable table = fullTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.sorted(PracticeOrder::BestLap));
        benchmark::DoNotOptimize(table.sorted(PracticeOrder::BestRun));
    }
}
BENCHMARK(BM_PracticeGridOrder);

void BM_PracticeHourWithCsvAtEachBest(benchmark::State& state) {
    const auto crossings = practiceHour();
    state.counters["crossings"] = static_cast<double>(crossings.size());
    for (auto _ : state) {
        PracticeTable table(PracticeRules{7.0, 30.0, 3}, driverName);
        size_t bytes = 0;
        for (const auto& [at, transponder] : crossings)
            if (table.crossing(transponder, at))
                bytes += practiceCsv(table.sorted(PracticeOrder::BestLap), 3).size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_PracticeHourWithCsvAtEachBest)->Unit(benchmark::kMillisecond);

} // namespace
