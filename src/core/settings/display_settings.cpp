#include "settings/display_settings.h"

#include "base/plain_text.h"
#include "base/whole_number.h"
#include "settings/ini_file.h"

#include <algorithm>
#include <array>

namespace vexa {

namespace {

// A window smaller than this is no place to keep; larger than this, no screen's.
constexpr int SmallestSide = 100;
constexpr int LargestSide = 20000;

} // namespace

int steppedZoom(int percent, int steps) {
    return std::clamp(percent + steps * StandingsZoomStep, MinStandingsZoom, MaxStandingsZoom);
}

std::optional<WindowPlace> readWindowPlace(const std::string& text) {
    std::array<int, 4> numbers{};
    size_t at = 0;
    for (size_t i = 0; i < numbers.size(); ++i) {
        const size_t end = text.find(',', at);
        const auto number =
            parseWholeNumber(text.substr(at, end == std::string::npos ? end : end - at));
        if (!number) return std::nullopt;
        numbers[i] = *number;
        if (i + 1 < numbers.size()) {
            if (end == std::string::npos) return std::nullopt;
            at = end + 1;
        } else {
            at = end;
        }
    }
    WindowPlace place{numbers[0], numbers[1], numbers[2], numbers[3], false};
    if (at != std::string::npos) {
        if (!equalsNoCase(trimBlanks(text.substr(at + 1)), "max")) return std::nullopt;
        place.maximised = true;
    }
    for (int side : {place.width, place.height})
        if (side < SmallestSide || side > LargestSide) return std::nullopt;
    for (int corner : {place.x, place.y})
        if (corner < -LargestSide || corner > LargestSide) return std::nullopt;
    return place;
}

std::string windowPlaceText(const WindowPlace& p) {
    std::string text = std::to_string(p.x) + "," + std::to_string(p.y) + "," +
                       std::to_string(p.width) + "," + std::to_string(p.height);
    if (p.maximised) text += ",max";
    return text;
}

} // namespace vexa
