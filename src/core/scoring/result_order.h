#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace vexa {

// A competitor's laps and time in one round (or a composite of rounds).
struct LapsTime {
    int32_t laps = 0;
    double time = 0.0;
};

// A result is better than another when it has more laps, or as many laps and a strictly smaller
// time. Times are compared exactly. Every ranking uses this rule; equal results keep the earlier
// candidate (lower Id, earlier round, lower slot).
inline bool betterResult(const LapsTime& a, const LapsTime& b) {
    return a.laps > b.laps || (a.laps == b.laps && a.time < b.time);
}

// A time as a sort key: a time that is not a number sorts after every real time, so that sorting
// always has a consistent order.
inline double timeKey(double time) {
    return std::isnan(time) ? std::numeric_limits<double>::infinity() : time;
}

} // namespace vexa
