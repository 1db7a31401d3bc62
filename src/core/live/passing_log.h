#pragma once

#include "race/race_values.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace vexa {

// One counted crossing of the line, as the live page lists it.
struct LivePassing {
    int car = 0;
    std::string name;
    int lap = 0;
    std::string lapTime;  // the lap's duration, "12.34"
    std::string raceTime; // the driver's race time at the crossing, "123.45"
};

// The last crossings counted in the race, newest first. The engine keeps no list of them, so
// they are found by comparing the lap counts it holds with those seen at the previous look.
class PassingLog {
  public:
    static constexpr size_t Kept = 12;

    // Looks at the race after a redraw notice: every lap an entrant gained since the last look
    // adds a crossing. Another race (number, round, kind or entrants changed) or a lap count
    // that fell (a restart) starts the log afresh.
    void observe(const RaceValues& values);
    const std::deque<LivePassing>& passings() const { return passings_; }

  private:
    bool sameRace(const RaceValues& values) const;

    std::deque<LivePassing> passings_;
    std::vector<int32_t> laps_;
    std::vector<int32_t> compnos_;
    int race_ = -1, round_ = -1, kind_ = -1;
};

} // namespace vexa
