// The race engine: one passing with the redraw data of both standings grids, and a whole
// simulated race through the headless runner.
#include "files/settings_file.h"
#include "five_minute_race.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "replay/race_runner.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace vexa;
using namespace vexa::bench;
namespace fs = std::filesystem;

namespace {

// An hour's race of 20 entrants, every car at lap 150.
struct FieldAtLap150 {
    VirtualClock clock;
    QuietPorts ports{clock};
    VirtualScheduler scheduler{clock};
    Program program;
    std::unique_ptr<RaceEngine> engine; // after the time and the program: it goes first
    int64_t start = 0;

    FieldAtLap150() {
        fillRace(program, 20, 60);
        engine = std::make_unique<RaceEngine>(
            raceData(program),
            RacePorts{clock, scheduler, ports, ports, ports, ports, ports, nullptr});
        engine->openRaceScreen();
        while (engine->values().RaceState != RaceStates::Running) scheduler.fireNext();
        start = clock.milliseconds();
        for (int lap = 1; lap <= 150; ++lap)
            for (int car = 0; car < 20; ++car) pass(lap, car);
    }
    void pass(int lap, int car) {
        scheduler.advanceTo(start + lap * 20000 + car * 300 + 7);
        engine->sortCarPass(car, engine->RaceTime());
    }
};

// 20 entrants from lap 150 on; each iteration is one counted lap of the next car: sorting,
// gaps, prediction, beep and both grids' rows. The field is set back to lap 150 every 40 laps.
void BM_SortCarPass20At150(benchmark::State& state) {
    auto field = std::make_unique<FieldAtLap150>();
    int lap = 151;
    int car = 0;
    for (auto _ : state) {
        field->pass(lap, car);
        benchmark::DoNotOptimize(field->engine->standings().rows().data());
        if (++car == 20) {
            car = 0;
            if (++lap == 190) {
                state.PauseTiming();
                field = std::make_unique<FieldAtLap150>();
                lap = 151;
                state.ResumeTiming();
            }
        }
    }
}
BENCHMARK(BM_SortCarPass20At150)->Repetitions(5);

// The running order of a field of N entrants: the hour's race at lap 150 and unknown cars added
// past any limit of the decoder layer, which have not crossed the line yet and so all tie.
void BM_SortRunningOrder(benchmark::State& state) {
    FieldAtLap150 field;
    RaceEngine& engine = *field.engine;
    for (int n = 21; n <= state.range(0); ++n) engine.AddDriver(n, 0, 6000000 + n);
    for (auto _ : state) {
        engine.SortRunningOrder();
        benchmark::DoNotOptimize(engine.values().race_drivers.front().runorder);
    }
}
BENCHMARK(BM_SortRunningOrder)->Arg(20)->Arg(2000);

// A 5-minute mass start of 20 cars with about 1,000 passings, from opening the race screen to
// the saved results, as `vexa-cli race` runs it.
void BM_FiveMinuteRaceOf20Cars(benchmark::State& state) {
    const fs::path home = makeFiveMinuteEvent();
    const RaceScript script = fiveMinuteKeysScript();
    size_t passings = 0;
    for (auto _ : state) {
        BenchRace race(home);
        const RaceRunResult result = runRaces(*race.engine, race.scheduler, script, 1, nullptr);
        if (!result.ok) state.SkipWithError(result.message.c_str());
        passings = script.events.size();
    }
    state.counters["passings"] = static_cast<double>(passings);
    fs::remove_all(home);
}
BENCHMARK(BM_FiveMinuteRaceOf20Cars)->Unit(benchmark::kMillisecond);

} // namespace
