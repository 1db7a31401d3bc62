// The decoder path: AMBrc records parsed, and records from the serial line through the dispatch
// and the entrant search into the race engine's sortCarPass.
#include "counting_rig.h"
#include "timing/decoder_records.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace vexa;

namespace {

std::string ambrcPassing(int transponder, double time, int hits) {
    char text[128];
    std::snprintf(text, sizeof text, "\x01@\t7\t1\t%d\t%.3f\t%d\t85\t2", transponder, time, hits);
    return text;
}

void BM_ParseAmbrcRecords(benchmark::State& state) {
    std::vector<std::string> records;
    for (int i = 0; i < 1000; ++i) records.push_back(ambrcPassing(4000001 + i % 20, i * 1.7, 9));
    int64_t transponders = 0;
    for (auto _ : state) {
        for (const std::string& r : records) {
            const AmbrcRecord parsed = parseAmbrcRecord(r, 7);
            transponders += parsed.transponder;
        }
    }
    benchmark::DoNotOptimize(transponders);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records.size()));
}
BENCHMARK(BM_ParseAmbrcRecords);

// Each iteration delivers one serial block holding a lap of every car (20 records, CR LF each)
// eight seconds after the last, so every record is a counted lap with sorting, gaps and
// predictions in the engine.
void BM_DispatchAmbrcPassingsToSortCarPass(benchmark::State& state) {
    bench::CountingRig rig(CountingDevice::Ambrc);
    std::vector<std::string> blocks;
    for (int lap = 1; lap <= 150; ++lap) {
        std::string block;
        for (int car = 1; car <= 20; ++car)
            block += ambrcPassing(4000000 + car, lap * 8.0 + car * 0.01, 9) + "\r\n";
        blocks.push_back(block);
    }
    size_t next = 0;
    for (auto _ : state) {
        if (next == blocks.size()) {
            state.PauseTiming();
            rig.engine().Setuprace(); // a fresh field at the start of the race clock
            next = 0;
            state.ResumeTiming();
        }
        rig.clock.set(rig.origin + static_cast<int64_t>((next + 1) * 8000 + 300));
        rig.equipment().CommPortDriverReceiveData(blocks[next++]);
    }
    state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_DispatchAmbrcPassingsToSortCarPass);

// A flood of strangers: 2,000 transponders that belong to no driver, each crossing once in the
// same race, delivered in one serial block. Each iteration is the whole flood on a fresh field.
void BM_FloodOfUnknownTransponders(benchmark::State& state) {
    bench::CountingRig rig(CountingDevice::Ambrc);
    std::string block;
    for (int n = 0; n < 2000; ++n) block += ambrcPassing(6000000 + n, 10.0 + n * 0.002, 9) + "\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        rig.engine().Setuprace();
        rig.clock.set(rig.origin + 10000);
        state.ResumeTiming();
        rig.equipment().CommPortDriverReceiveData(block);
    }
    state.counters["entrants"] = static_cast<double>(rig.engine().values().race_drivers.size());
}
BENCHMARK(BM_FloodOfUnknownTransponders)->Unit(benchmark::kMillisecond);

// The timing layer's own share: line assembly, dispatch, parsing and the entrant search, with
// records that stop just before the hand-over (too few hits).
void BM_DispatchAmbrcPassingsUpToTheEngine(benchmark::State& state) {
    bench::CountingRig rig(CountingDevice::Ambrc);
    rig.program.settings.lowestHits = 10;
    std::string block;
    for (int i = 0; i < 1000; ++i)
        block += ambrcPassing(4000001 + i % 20, 10.0 + i * 0.01, 9) + "\r\n";
    for (auto _ : state) rig.equipment().CommPortDriverReceiveData(block);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_DispatchAmbrcPassingsUpToTheEngine);

} // namespace
