// Opening and writing back a full event: 300 competitors, 20 rounds of results, both tables full.
#include "files/event_files.h"
#include "full_event.h"
#include "program/event_store.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vexa;
namespace fs = std::filesystem;

using vexa::bench::FullEventHome;

namespace {

void BM_OpenFullEvent(benchmark::State& state) {
    FullEventHome home;
    for (auto _ : state) {
        Program program;
        program.home.root = home.root;
        const OpenEventResult opened = openEvent(program, "Full Event");
        benchmark::DoNotOptimize(opened.opened);
        if (!opened.opened) state.SkipWithError("event did not open");
    }
}
BENCHMARK(BM_OpenFullEvent)->Unit(benchmark::kMillisecond);

void BM_WriteFullEvent(benchmark::State& state) {
    FullEventHome home;
    Program program;
    home.open(program);
    for (auto _ : state) {
        const Outcome written = writeAllEventFiles(*program.paths, program.settings, program.event);
        if (!written) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteFullEvent)->Unit(benchmark::kMillisecond);

// The saves at the end of every race: the round results and the event settings of a full event,
// each written to a temporary file, carried to the disk, renamed into place and its folder
// carried to the disk.
void BM_SaveAtTheEndOfARace(benchmark::State& state) {
    FullEventHome home;
    Program program;
    home.open(program);
    for (auto _ : state) {
        const Outcome results = writeResults(program.paths->results, program.event);
        const Outcome settings = writeEventSettings(program.paths->settings, program.settings);
        if (!results || !settings) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_SaveAtTheEndOfARace)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
