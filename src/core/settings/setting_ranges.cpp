#include "settings/setting_ranges.h"

#include "base/whole_number.h"
#include "settings/ini_file.h"

#include <algorithm>

namespace vexa {

std::string heldNumberText(const std::string& text, int low, int high) {
    // Digits beyond the range cannot bring the number back into it.
    const std::optional<long long> held = heldWholeNumber(text, static_cast<long long>(high) + 1);
    if (!held) return text;
    const long long value = *held;
    if (value >= low && value <= high) return text;
    return std::to_string(
        std::clamp(value, static_cast<long long>(low), static_cast<long long>(high)));
}

void holdSettingRanges(ProgSettings& s) {
    s.minLap = heldNumberText(s.minLap, 0, MaxMinLapSeconds);
    for (std::string* seconds : {&s.lastStart, &s.raceInterval, &s.raceSetup, &s.lastLap})
        *seconds = heldNumberText(*seconds, 0, MaxTimeSettingSeconds);
    s.runOrder = heldNumberText(s.runOrder, 0, MaxRunOrderMinutes);
    for (ClassSetup& c : s.classes)
        for (int32_t* minutes : {&c.qualMinutes, &c.aMinutes, &c.bMinutes, &c.otherMinutes})
            *minutes = std::clamp(*minutes, 0, MaxRaceMinutes);
    s.clrLaps = std::clamp(s.clrLaps, 1, MaxClrLaps);
    s.maxRaceLaps = std::clamp(s.maxRaceLaps, 0, MaxRaceLapsSetting);
}

} // namespace vexa
