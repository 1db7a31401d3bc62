#pragma once

#include "support/event_builder.h"

#include <initializer_list>

namespace vexa::test {

// A round result: laps and time; {-1, -1.0} is "did not run".
struct R {
    int laps;
    double time;
};
inline constexpr R None{-1, -1.0};

// Stores results for rounds 1, 2, ... in order.
inline void results(EventData& e, int id, std::initializer_list<R> rounds) {
    int round = 1;
    for (const R& r : rounds) e.storeResult(id, round++, r.laps, r.time);
}

} // namespace vexa::test
