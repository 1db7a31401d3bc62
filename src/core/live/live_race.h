#pragma once

#include "live/passing_log.h"
#include "race/race_panel.h"
#include "race/race_values.h"
#include "race/standings.h"

#include <string>

namespace vexa {

struct ProgSettings;

// The colour's name as the live page uses it ("normal" is the grid's plain background).
const char* gridColourName(GridColour colour);

// What the race screen shows, read from the engine's face. `countdownRunning` is the countdown's
// own running: after "Start &Countdown" the race state still says paused while it counts down.
struct LiveRaceState {
    const RaceValues& values;
    const RacePanel& panel;
    const Standings& standings;
    bool countdownRunning = false;
};

// The live race as JSON: the race (number, round, kind, class, title, clock, state, progress),
// the standings rows with their colours, and the last passings. `sequence` numbers the state so
// that a page can tell a new one from an old.
std::string liveRaceJson(const LiveRaceState& race, const ProgSettings& settings,
                         const PassingLog& passings, uint64_t sequence);
// The same when no race engine exists yet.
std::string noRaceJson(uint64_t sequence);

} // namespace vexa
