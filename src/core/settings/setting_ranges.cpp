#include "settings/setting_ranges.h"

#include "settings/ini_file.h"

#include <algorithm>

namespace vexa {

std::string heldNumberText(const std::string& text, int low, int high) {
    const std::string t = trimBlanks(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return text;
    long long value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return text;
        // Digits beyond the range cannot bring the number back into it.
        value = std::min(value * 10 + (t[i] - '0'), static_cast<long long>(high) + 1);
    }
    if (negative) value = -value;
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
