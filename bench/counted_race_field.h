#pragma once

#include "program/program.h"

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

} // namespace vexa::bench
