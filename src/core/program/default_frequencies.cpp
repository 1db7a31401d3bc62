#include "program/default_frequencies.h"

#include <cstdio>

namespace vexa {

namespace {

// Kilohertz as megahertz with three decimals: 27045 gives "27.045".
std::string megahertz(int khz) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%03d", khz / 1000, khz % 1000);
    return text;
}

} // namespace

FreqNames defaultFreqNames() {
    FreqNames names;
    size_t index = 1;
    auto add = [&](const std::string& name) { names.names[index++] = name; };
    const int band27[] = {26995, 27045, 27095, 27145, 27195, 27255};
    for (int ch = 1; ch <= 6; ++ch)
        add("27MHz Ch" + std::to_string(ch) + " " + megahertz(band27[ch - 1]));
    for (int khz = 40665; khz <= 40995; khz += 10) add("40MHz " + megahertz(khz));
    for (int ch = 61; ch <= 90; ++ch)
        add("75MHz Ch" + std::to_string(ch) + " " + megahertz(75410 + (ch - 61) * 20));
    return names;
}

} // namespace vexa
