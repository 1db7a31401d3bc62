// Opening and writing back a full event: 300 competitors, 20 rounds of results, both tables full.
#include "files/event_files.h"
#include "program/event_store.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

void fillFullEvent(Program& program) {
    EventData& e = program.event;
    for (int id = 1; id <= MaxCompetitors; ++id) {
        comp_ent& c = e.competitor(id);
        c.name = "Driver Number " + std::to_string(id);
        c.memno = "M" + std::to_string(id);
        c.classno = static_cast<int8_t>(id % 31);
        c.ability = static_cast<int8_t>(id % 100);
        c.heatfreq = static_cast<uint8_t>(id % 200 + 1);
        c.setOwnedFreqs({1, 5, 9, 33, 120});
        c.picture = "driver" + std::to_string(id) + ".jpg";
        c.transponder = 1000000 + id;
        for (int r = 1; r <= MaxRounds; ++r)
            e.storeResult(id, r, 10 + (id + r) % 9, 300.0 + id * 0.37 + r);
    }
    for (int race = 1; race <= MaxRaces; ++race) {
        e.heats.setInfo(race, std::to_string(race % 31) + "/A");
        e.finals.setInfo(race, std::to_string(race % 31) + "/B");
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            e.heats.setSlotText(race, slot, std::to_string((race * 20 + slot) % 300 + 1));
            e.finals.setSlotText(race, slot, std::to_string((race * 7 + slot) % 300 + 1));
        }
    }
}

struct FullEventHome {
    fs::path root;
    FullEventHome() {
        std::random_device rd;
        root = fs::temp_directory_path() / ("vexa-bench-" + std::to_string(rd()));
        Program program;
        program.home.root = root;
        startProgram(program);
        fillFullEvent(program);
        createEvent(program, "Full Event");
    }
    ~FullEventHome() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    // The event opened into a program of its own.
    void open(Program& program) const {
        program.home.root = root;
        openEvent(program, "Full Event");
    }
};

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
