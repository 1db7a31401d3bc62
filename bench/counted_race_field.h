#pragma once

#include "program/program.h"
#include "race/race_engine.h"
#include "race/virtual_time.h"

#include <string>

namespace vexa::bench {

// A long mass-start heat of 20 transponder cars counted by an AMBrc decoder, for the timing
// benchmarks: car n (Id n) carries transponder 4000000 + n.
inline void prepareCountedRaceField(Program& program) {
    ProgSettings& s = program.settings;
    s.countDevice = 2;
    s.passBeeps = false;
    s.heatMass = true;
    s.classes[1].name = "Touring";
    s.classes[1].qualMinutes = 600;
    s.classes[1].tenSecCountdown = false;
    for (int id = 1; id <= 20; ++id) {
        comp_ent& c = program.event.cpts[static_cast<size_t>(id)];
        c.name = "Driver " + std::to_string(id);
        c.classno = 1;
        c.transponder = 4000000 + id;
        program.event.heats.setSlotText(1, id, std::to_string(id));
    }
}

// The race-clock second at which entrant `car` (0-based) of the field completes `lap` when every
// car laps in about 20 s, the field spread over 14 s.
inline double fieldPassingTime(int car, int lap) {
    return lap * 20.0 + car * 0.7 + (lap % 3) * 0.05;
}

// Moves virtual time to that moment of the running race and counts the passing there.
inline void countFieldPassing(RaceEngine& engine, VirtualScheduler& scheduler, int car, int lap) {
    const double t = fieldPassingTime(car, lap);
    const double origin = static_cast<double>(scheduler.now()) / 1000.0 - engine.RaceTime();
    scheduler.advanceTo(static_cast<int64_t>((origin + t) * 1000.0));
    engine.sortCarPass(car, t);
}

} // namespace vexa::bench
