#pragma once

#include "ports/timing_view.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The texts of the track-controller protocol. Every text message ends in a carriage return.

// The texts that set the start lights for a light code, in sending order; none for codes 4, 11
// and above.
std::vector<std::string> lightTexts(int code);

// "#%", the round and the heat as two digits each.
std::string raceNumberText(int heat, int round);

// Compatibility mode: the heat as one byte of packed decimal (0..20), 0x00 for any other heat.
char compatibleRaceNumberByte(int heat);

// "#$" and hours, minutes, seconds as two digits each; a countdown below ten minutes shows "-"
// for the tens of minutes. Negative seconds show as zero.
std::string timeDisplayText(bool countdown, int seconds);

// The scoreboard memory: the car numbers placed at positions 1..10 (11 = empty) and their gaps.
inline constexpr int ScoreboardPositions = 10;
inline constexpr int EmptyScoreboardCar = 11;
inline constexpr double NoScoreboardGap = 9999.0;

// Running-order text for positions 1..10: car 10 as "0", an empty position as ":".
std::string runningOrderText(const std::array<int, ScoreboardPositions + 1>& cars);

// Gaps text for positions 1..3: three characters each (see the controller's display rules).
std::string gapsText(const std::array<double, 3>& gaps);

// A weather reading from a controller line "%" + sensor digit + value.
struct WeatherReading {
    WeatherValue which;
    std::string text; // the label text, e.g. "Air Temp:12.5°C" (Latin-1 degree sign)
};
// Nothing for lines that are no reading, an absent sensor ("-88.8") or an unknown sensor.
std::optional<WeatherReading> parseWeatherLine(std::string_view line);

} // namespace vexa
