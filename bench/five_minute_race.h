#pragma once

// A 5-minute mass start of 20 cars counted with the keys, for the race and journal benchmarks.
#include "files/settings_file.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/race_script.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "station/race_station.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace vexa::bench {

// Drops everything: the ports a benchmark needs without the cost of recording.
class QuietPorts : public RecordingPorts {
  public:
    using RecordingPorts::RecordingPorts;
    void play(int, int) override {}
    void SetLights(StartLight) override {}
    void SendTimeDisplay(bool, int) override {}
    void SendScoreboard(const std::vector<ScoreboardPosition>&) override {}
};

inline void fillRace(Program& program, int cars, int minutes) {
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

// The event "Bench" of a program home opened, with its race engine on simulated time and quiet
// ports.
struct BenchRace {
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    QuietPorts ports{clock};
    Program program;
    std::unique_ptr<RaceEngine> engine; // after the time and the program: it goes first

    explicit BenchRace(const std::filesystem::path& home) {
        program.home.root = home;
        startProgram(program);
        openEvent(program, "Bench");
        engine = std::make_unique<RaceEngine>(
            raceData(program),
            RacePorts{clock, scheduler, ports, ports, ports, ports, ports, nullptr});
    }
};

// A program home in the temporary folder with the event "Bench": 20 cars in a 5-minute heat 1;
// the caller removes it.
inline std::filesystem::path makeFiveMinuteEvent() {
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() /
        ("vexa-race-bench-" + std::to_string(std::random_device{}()));
    Program program;
    program.home.root = home;
    fillRace(program, 20, 5);
    program.settings.minLap = "3";
    saveSettingsFile(program.home.iniFile(), program.settings);
    createEvent(program, "Bench");
    return home;
}

// About 1,000 key presses: car n laps in 6 + n/100 s from the start at 61 s, 50 laps each.
inline RaceScript fiveMinuteKeysScript() {
    std::string text;
    char line[64];
    for (int lap = 1; lap <= 50; ++lap)
        for (int car = 1; car <= 20; ++car) {
            const double t = 61.0 + lap * (6.0 + car * 0.01);
            static const char Keys[] = "1234567890QWERTYUIOP";
            std::snprintf(line, sizeof line, "%.3f key %c\n", t, Keys[car - 1]);
            text += line;
        }
    return parseRaceScript(text).script;
}

} // namespace vexa::bench
