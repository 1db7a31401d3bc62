#pragma once

#include "model/limits.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// One entrant of the race being prepared or run. Entrants are identified by their index in
// `race_drivers` (0-based, in the order they were added), never by car number. Times are seconds
// held at the precision of the event files' 6-byte real.
//
// The figures a passing reads and writes come first, together, and the lap arrays last, so that
// counting a lap and sorting the field touch a few cache lines of each entrant, not its 3 KB.
struct RaceDriver {
    int32_t transponder = 0;
    int32_t carno = 0; // slot number in the racing table
    int32_t lapcount = 0;
    int32_t runorder = 1;   // table: in record k, the index of the entrant in position k+1
    double lastpass = 0.0;  // mass start: race clock; stagger start: since the car's own start
    double starttime = 0.0; // race-clock time of the first crossing; 0 = not crossed yet
    double endtime = 0.0;   // the next counted crossing from this race-clock time finishes
    double lastlap = 0.0;
    double fastestlap = 0.0;
    double leadergap = 0.0; // seconds on the leader's lap, else minus the laps behind; the
                            // leader holds its own lap count
    int32_t predlapcount = 0;
    int32_t hits = 0; // of the last decoder passing
    double predtime = 0.0;
    double traptime = 0.0;
    int32_t signal = 0;
    int32_t startorder = 0; // table: in record k, the index of the entrant starting (k+1)-th
    uint8_t carstate = 0;   // CarRacing or CarFinished
    uint8_t passmark = 0;   // PassCounted counting down to 0, PassNotCounted, or 0
    bool placed = false;
    bool seen = true; // counts as running
    bool trapdone = false;
    int8_t classno = 0;
    int32_t compno = 0;       // competitor Id 1..300; 0 for an unknown car
    int32_t bestlapcount = 0; // the driver's best result over rounds 1..20 (0 / 0.0 if none)
    double besttime = 0.0;
    int32_t clrlapcount = 0; // consecutive-laps result
    int32_t clrfirstlap = 0;
    double clrtime = 0.0;
    std::string drivername;  // at most 25 characters
    std::string picturefile; // full path of the driver's picture; empty for an unknown car
    std::array<double, MaxLapTimes + 1> laptimes{};  // [n] = duration of lap n, 1..200
    std::array<double, MaxLapTimes + 1> traptimes{}; // [n] = speed-trap time after lap n, 0..200

    static constexpr uint8_t CarRacing = 0;
    static constexpr uint8_t CarFinished = 2;
    static constexpr uint8_t PassCounted = 4;
    static constexpr uint8_t PassNotCounted = 6;

    bool finished() const { return carstate == CarFinished; }
};

using RaceDrivers = std::vector<RaceDriver>;

// Result comparison: more laps, or equal laps and a strictly smaller time.
inline bool betterResult(int laps, double time, int otherLaps, double otherTime) {
    return laps > otherLaps || (laps == otherLaps && time < otherTime);
}

} // namespace vexa
