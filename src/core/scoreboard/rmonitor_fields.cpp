#include "scoreboard/rmonitor_fields.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace vexa {

namespace {

// The Latin-1 letters 0xC0..0xFF without their accents.
constexpr std::array<const char*, 64> FoldedLetters = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "x", "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "/", "o", "u", "u", "u", "u", "y", "th", "y"};

std::string twoDigits(int64_t n) {
    std::string out = std::to_string(n);
    if (out.size() < 2) out.insert(out.begin(), '0');
    return out;
}

} // namespace

std::string rmonitorText(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() + 2);
    out += '"';
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"')
            out += '\'';
        else if (c < 0x20 || c == 0x7f)
            out += ' ';
        else if (c < 0x7f)
            out += static_cast<char>(c);
        else if (c >= 0xc0)
            out += FoldedLetters[c - 0xc0];
        else if (c == 0xa0)
            out += ' '; // a blank that does not break
        else
            out += '?';
    }
    out += '"';
    return out;
}

std::string rmonitorClock(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    return twoDigits(seconds / 3600) + ':' + twoDigits(seconds / 60 % 60) + ':' +
           twoDigits(seconds % 60);
}

std::string rmonitorTime(int64_t ms) {
    if (ms < 0) ms = 0;
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(ms % 1000));
    return rmonitorClock(ms / 1000) + millis;
}

std::string rmonitorDate(int year, int month, int day) {
    static constexpr std::array<const char*, 12> Months = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* name = month >= 1 && month <= 12 ? Months[static_cast<size_t>(month - 1)] : "Jan";
    return twoDigits(day) + ' ' + name + ' ' + twoDigits(((year % 100) + 100) % 100);
}

int64_t rmonitorMs(double seconds) {
    if (!(seconds > 0.0)) return 0;   // a negative time, or not a number
    if (seconds > 1e9) seconds = 1e9; // no time of a meeting comes near
    return std::llround(seconds * 1000.0);
}

} // namespace vexa
