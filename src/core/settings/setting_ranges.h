#pragma once

#include "settings/prog_settings.h"

#include <string>

namespace vexa {

// The largest numbers the settings screen's fields take. Numbers read from the settings file and
// the event settings file are held to these ranges, so that no time the race engine works out
// from them can overflow, whatever a damaged or hand-edited file holds.
inline constexpr int MaxMinLapSeconds = 99;       // "Min Lap Time": two digits
inline constexpr int MaxTimeSettingSeconds = 999; // "Last Start Time", "Race Interval",
                                                  // "Race Setup ", "Max Last Lap": three digits
inline constexpr int MaxRunOrderMinutes = 99;     // "Read Running order every": two digits
inline constexpr int MaxRaceMinutes = 1440;       // a class's race lengths: a day
inline constexpr int MaxClrLaps = 999;            // "Laps to count"
inline constexpr int MaxRaceLapsSetting = 9999;   // "Max Race Laps": four digits

// A field's text held to low..high: a whole number outside the range (however many digits it
// has) becomes the nearest end of the range; any other text is returned unchanged.
std::string heldNumberText(const std::string& text, int low, int high);

// Holds the times, the running-order interval, the race lengths of every class, the laps of the
// consecutive-laps score and the maximum race laps to their fields' ranges.
void holdSettingRanges(ProgSettings& settings);

} // namespace vexa
