// The race engine: one passing with the redraw data of both standings grids, and a whole
// simulated race through the headless runner.
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_runner.h"
#include "race/recording_ports.h"
#include "settings/settings_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

// Drops everything: the ports a benchmark needs without the cost of recording.
class QuietPorts : public RecordingPorts {
  public:
    using RecordingPorts::RecordingPorts;
    void play(int, int) override {}
    void SetLights(StartLight) override {}
    void SendTimeDisplay(bool, int) override {}
    void SendScoreboard(const std::vector<ScoreboardPosition>&) override {}
};

void fillRace(Program& program, int cars, int minutes) {
    ProgSettings& s = program.settings;
    s.classes[1].name = "Touring";
    s.classes[1].qualMinutes = minutes;
    s.classes[1].tenSecCountdown = false;
    s.heatMass = true;
    for (int id = 1; id <= cars; ++id) {
        comp_ent& c = program.event.cpts[id];
        c.name = "Driver Number " + std::to_string(id);
        c.classno = 1;
        c.picture = "driver" + std::to_string(id) + ".jpg";
        program.event.heats.setSlotText(1, id, std::to_string(id));
        program.event.storeResult(id, 1, 140 + id % 7, 3000.0 + id);
    }
}

// An hour's race of 20 entrants, every car at lap 150.
struct FieldAtLap150 {
    VirtualClock clock;
    QuietPorts ports{clock};
    VirtualScheduler scheduler{clock};
    Program program;
    RaceEngine* engine = nullptr;
    int64_t start = 0;

    FieldAtLap150() {
        fillRace(program, 20, 60);
        engine = &attachRaceEngine(
            program, RacePorts{clock, scheduler, ports, ports, ports, ports, ports, nullptr});
        engine->openRaceScreen();
        while (engine->values().RaceState != RaceStates::Running) scheduler.fireNext();
        start = clock.milliseconds();
        for (int lap = 1; lap <= 150; ++lap)
            for (int car = 0; car < 20; ++car) pass(lap, car);
    }
    ~FieldAtLap150() { program.race.reset(); }
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
    const fs::path home =
        fs::temp_directory_path() / ("vexa-race-bench-" + std::to_string(std::random_device{}()));
    {
        Program program;
        program.home.root = home;
        fillRace(program, 20, 5);
        program.settings.minLap = "3";
        saveSettingsFile(program.home.iniFile(), program.settings);
        createEvent(program, "Bench");
    }
    std::string text;
    char line[64];
    for (int lap = 1; lap <= 50; ++lap)
        for (int car = 1; car <= 20; ++car) {
            const double t = 61.0 + lap * (6.0 + car * 0.01);
            static const char Keys[] = "1234567890QWERTYUIOP";
            std::snprintf(line, sizeof line, "%.3f key %c\n", t, Keys[car - 1]);
            text += line;
        }
    const RaceScript script = parseRaceScript(text).script;
    size_t passings = 0;
    for (auto _ : state) {
        VirtualClock clock;
        VirtualScheduler scheduler(clock);
        QuietPorts ports(clock);
        Program program;
        program.home.root = home;
        startProgram(program);
        openEvent(program, "Bench");
        RaceEngine& engine = attachRaceEngine(
            program, RacePorts{clock, scheduler, ports, ports, ports, ports, ports, nullptr});
        const RaceRunResult result = runRaces(engine, scheduler, script, 1, nullptr);
        if (!result.ok) state.SkipWithError(result.message.c_str());
        passings = script.events.size();
    }
    state.counters["passings"] = static_cast<double>(passings);
    fs::remove_all(home);
}
BENCHMARK(BM_FiveMinuteRaceOf20Cars)->Unit(benchmark::kMillisecond);

} // namespace
