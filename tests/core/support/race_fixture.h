#pragma once

#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "station/race_station.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vexa::test {

// A program with an event in memory and a race engine on virtual time and recording ports.
// Competitor Id n is named "Driver n" and in class 1 unless a test says otherwise.
class RaceFixture : public ::testing::Test {
  protected:
    RaceFixture() : ports(clock), scheduler(clock) {
        program.settings.classes[1].name = "Buggy";
        // No random start delay unless a test asks for the ten-second countdown.
        program.settings.classes[1].tenSecCountdown = false;
        program.settings.raceInterval = "60";
        program.settings.raceSetup = "30";
        program.settings.countDevice = 0;
    }

    // Creates the engine; settings changes that the engine reads at creation come first.
    RaceEngine& engine() {
        if (!drivenEngine) {
            ports.device = countingDeviceFromSetting(program.settings.countDevice);
            raceEngine = std::make_unique<RaceEngine>(
                raceData(program),
                RacePorts{clock, scheduler, ports, ports, ports, ports, ports, nullptr});
            raceEngine->setDiagnostics([this](const std::string& t) { ports.note(t); });
            drivenEngine = raceEngine.get();
        }
        return *drivenEngine;
    }

    // Makes the engine on the given ports, in place of any earlier one.
    RaceEngine& engineOn(const RacePorts& racePorts) {
        dropEngine();
        raceEngine = std::make_unique<RaceEngine>(raceData(program), racePorts);
        drivenEngine = raceEngine.get();
        return *raceEngine;
    }
    // Drops the engine: the next engine() makes a new one.
    void dropEngine() {
        drivenEngine = nullptr;
        raceEngine.reset();
    }

    void competitor(int id, int classno = 1, std::string name = {}) {
        comp_ent& c = program.event.cpts[id];
        c.name = name.empty() ? "Driver " + std::to_string(id) : name;
        c.classno = static_cast<int8_t>(classno);
    }

    // Race `race` of the heats (or finals) with the given Ids in slots 1, 2, ...; 0 leaves a
    // slot empty.
    void race(int race, std::initializer_list<int> ids, bool finals = false) {
        RacingTable& table = finals ? program.event.finals : program.event.heats;
        int slot = 1;
        for (int id : ids) {
            if (id != 0) {
                if (!program.event.cpts[id].inUse()) competitor(id);
                table.setSlotText(race, slot, std::to_string(id));
            }
            ++slot;
        }
    }

    // Class 1 races of `minutes` minutes, heats and finals alike.
    void raceMinutes(int minutes) {
        ClassSetup& c = program.settings.classes[1];
        c.qualMinutes = c.aMinutes = c.bMinutes = c.otherMinutes = minutes;
    }

    void massHeats() { program.settings.heatMass = true; }

    // Virtual seconds since the race screen opened (it opens at 0).
    void runTo(double seconds) { scheduler.advanceTo(std::llround(seconds * 1000.0)); }
    double now() const { return static_cast<double>(clock.milliseconds()) / 1000.0; }

    // Opens the race screen and runs the countdown until the race has started.
    void openAndStart() {
        engine().openRaceScreen();
        const int64_t limit = clock.milliseconds() + 3600 * 1000;
        while (engine().values().RaceState != RaceStates::Running && clock.milliseconds() < limit &&
               scheduler.fireNext()) {
        }
        ASSERT_EQ(engine().values().RaceState, RaceStates::Running);
    }
    // Seconds of virtual time when the race clock started.
    double raceStart() const { return now() - drivenEngine->RaceTime(); }

    // A key press at race-clock second t.
    void keyAt(double raceSeconds, char key) {
        runTo(raceClockOrigin() + raceSeconds);
        engine().manualKey(key);
    }
    double raceClockOrigin() const {
        return static_cast<double>(clock.milliseconds()) / 1000.0 - drivenEngine->RaceTime();
    }
    // Runs until the end-of-race processing has run (or nothing is left to run).
    void runToRaceEnd() {
        const int done = engine().completedRaces();
        const int64_t limit = clock.milliseconds() + 3600 * 1000;
        while (engine().completedRaces() == done && clock.milliseconds() < limit &&
               scheduler.fireNext()) {
        }
        EXPECT_GT(engine().completedRaces(), done) << "the race did not end within an hour";
    }

    // The sounds played between two virtual moments, as file names.
    std::vector<std::string> soundsBetween(double from, double to) const {
        std::vector<std::string> out;
        for (const auto& e : ports.events)
            if (e.kind == "sound" && e.ms >= std::llround(from * 1000) &&
                e.ms <= std::llround(to * 1000))
                out.push_back(e.text.substr(e.text.find(' ') + 1));
        return out;
    }
    bool hasEvent(const std::string& kind, const std::string& text) const {
        const auto t = ports.texts(kind);
        return std::find(t.begin(), t.end(), text) != t.end();
    }

    VirtualClock clock;
    RecordingPorts ports;
    VirtualScheduler scheduler;
    Program program;
    // After the scheduler and the program: the engine's timers stop on destruction.
    std::unique_ptr<RaceEngine> raceEngine;
    // The engine the helpers drive: the fixture's own, or one a test built elsewhere.
    RaceEngine* drivenEngine = nullptr;
};

} // namespace vexa::test
