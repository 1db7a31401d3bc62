#pragma once

#include "ports/timed_race.h"

namespace vexa {

struct ProgSettings;
struct EventData;

// What the timing equipment works on: the settings (the device in use it keeps itself), the
// event's drivers (the transponder test books them in) and the race it counts into.
struct TimingData {
    ProgSettings& settings;
    EventData& event;
    TimedRace& race;
};

} // namespace vexa
