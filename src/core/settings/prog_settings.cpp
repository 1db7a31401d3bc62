#include "settings/prog_settings.h"

#include <algorithm>
#include <charconv>

namespace vexa {

namespace {
// A distance typed in feet or meters, in miles.
double miles(const std::string& text, bool feet) {
    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc{}) value = 0.0;
    if (feet) value *= 0.3048;
    return value * 0.00062137119;
}
} // namespace

double ProgSettings::trackLengthMiles() const {
    return miles(trackLength, trackMeasureFeet);
}
double ProgSettings::trapGapMiles() const {
    return miles(trapGap, trapMeasureFeet);
}

std::array<int, MaxSlots + 1> ProgSettings::defaultFirstRoundOrder() {
    std::array<int, MaxSlots + 1> order{};
    for (int row = 1; row <= MaxSlots; ++row) order[static_cast<size_t>(row)] = row;
    return order;
}

void moveFirstRoundOrderRow(std::array<int, MaxSlots + 1>& order, int from, int to) {
    if (from < 1 || from > MaxSlots || to < 1 || to > MaxSlots || from == to) return;
    const auto first = order.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

const ClassSetup& ProgSettings::classSetup(int classno) const {
    static const ClassSetup none{};
    if (classno < 0 || classno >= MaxClasses) return none;
    return classes[static_cast<size_t>(classno)];
}

std::string ProgSettings::classText(int classno) const {
    return std::to_string(classno) + ") " + classSetup(classno).name;
}

} // namespace vexa
