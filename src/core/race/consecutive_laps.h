#pragma once

#include "model/race_driver.h"

namespace vexa {

// The consecutive-laps ("CLR") result of an entrant: the fastest run of N consecutive laps
// (the first such run among equals), or the whole race when the car did at most N laps. Only
// laps 1..200 have their times kept, so runs are looked for among those; a car with more than N
// laps but fewer than N kept lap times (N above 200) is scored by its whole race. N below 1
// counts as 1.
void consecutiveLapsResult(RaceDriver& d, int N);

} // namespace vexa
