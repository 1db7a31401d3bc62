#include "timing/track_controller_texts.h"

#include <cmath>
#include <cstdio>

namespace vexa {

namespace {
std::string twoDigits(long value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%02ld", value);
    return buffer;
}
} // namespace

std::vector<std::string> lightTexts(int code) {
    if (code == 0) return {"#@00\r"};
    if (code >= 1 && code <= 3)
        return {"#@00\r", "#@1" + std::string(1, static_cast<char>('0' + code - 1)) + "1\r"};
    if (code >= 5 && code <= 9)
        return {"#@3" + std::string(1, static_cast<char>('0' + code - 5)) + "1\r"};
    if (code == 10) return {"#@20\r"};
    return {};
}

std::string raceNumberText(int heat, int round) {
    return "#%" + twoDigits(round) + twoDigits(heat) + "\r";
}

char compatibleRaceNumberByte(int heat) {
    if (heat < 0 || heat > 20) return 0;
    return static_cast<char>((heat / 10) * 16 + heat % 10);
}

std::string timeDisplayText(bool countdown, int seconds) {
    const long s = seconds < 0 ? 0 : seconds;
    std::string digits = twoDigits(s / 3600) + twoDigits(s % 3600 / 60) + twoDigits(s % 60);
    if (countdown && s < 600) digits[digits.size() - 4] = '-';
    return "#$" + digits + "\r";
}

std::string runningOrderText(const std::array<int, ScoreboardPositions + 1>& cars) {
    std::string text;
    for (int p = 1; p <= ScoreboardPositions; ++p) {
        const int car = cars[static_cast<size_t>(p)];
        if (car == 10)
            text += '0';
        else if (car == EmptyScoreboardCar)
            text += ':';
        else
            text += std::to_string(car);
    }
    return text;
}

std::string gapsText(const std::array<double, 3>& gaps) {
    std::string text;
    for (double g : gaps) {
        if (g == NoScoreboardGap) {
            text += ":::";
        } else if (g >= 0) {
            std::string digits = std::to_string(std::lround(g));
            if (digits.size() < 3) digits.insert(0, 3 - digits.size(), ':');
            text += digits;
        } else if (g >= -9 && g <= -1) {
            text += ";:" + std::to_string(static_cast<long>(-g));
        } else if (g >= -98 && g <= -10) {
            text += ";" + std::to_string(static_cast<long>(-g));
        } else {
            text += ";99";
        }
    }
    return text;
}

std::optional<WeatherReading> parseWeatherLine(std::string_view line) {
    if (line.size() < 4 || line[0] != '%') return std::nullopt;
    const std::string value(line.substr(2));
    if (value == "-88.8") return std::nullopt;
    switch (line[1]) {
    case '0':
        return WeatherReading{WeatherValue::AirTemp, "Air Temp:" + value +
                                                         "\xB0"
                                                         "C"};
    case '1':
        return WeatherReading{WeatherValue::TrackTemp, "Track Temp:" + value +
                                                           "\xB0"
                                                           "C"};
    case '4':
        return WeatherReading{WeatherValue::Humidity, "Humidity:" + value + "%"};
    case '5':
        return WeatherReading{WeatherValue::Pressure, "Pressure:" + value + "mB"};
    default:
        return std::nullopt;
    }
}

} // namespace vexa
