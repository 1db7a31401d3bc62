#include "race/text_formats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace vexa {

std::string FormatClock(long long seconds) {
    if (seconds < 0) seconds = 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", seconds / 3600, seconds % 3600 / 60,
                  seconds % 60);
    return buf;
}

namespace {

// Hundredths of `t`, rounded exactly as the decimal printing of the binary value rounds (to
// nearest, ties to even), or nothing when |t| is too large for the quick way.
std::optional<long long> exactHundredths(double t) {
    const double a = std::fabs(t);
    if (!(a < 1e12)) return std::nullopt; // also NaN and infinity
    const double p = a * 100.0;
    const double e = std::fma(a, 100.0, -p); // p + e is a * 100 exactly
    double r = std::nearbyint(p);            // ties to even
    const double d = p - r;                  // exact
    if (d == 0.5 && e > 0) r += 1;           // above the tie that p lands on
    if (d == -0.5 && e < 0) r -= 1;          // below it
    return static_cast<long long>(r);
}

} // namespace

void appendSeconds(std::string& out, double t) {
    char buf[350];
    size_t len;
    if (const auto h = exactHundredths(t)) {
        // The running standings format this for every cell of every passing: done by hand, it
        // costs a fraction of the general decimal conversion.
        char* end = buf + sizeof buf;
        char* p = end;
        long long v = *h;
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
        *--p = '.';
        do {
            *--p = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v > 0);
        if (std::signbit(t)) *--p = '-';
        len = static_cast<size_t>(end - p);
        if (len < 6) out.append(6 - len, ' ');
        out.append(p, len);
        return;
    }
    const auto res = std::to_chars(buf, buf + sizeof buf, t, std::chars_format::fixed, 2);
    len = static_cast<size_t>(res.ptr - buf);
    if (len < 6) out.append(6 - len, ' ');
    out.append(buf, len);
}

std::string FormatSeconds(double t) {
    std::string out;
    appendSeconds(out, t);
    return out;
}

std::string FormatGeneral(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return std::string(buf, res.ptr);
}

std::string FormatLapGap(double g) {
    if (g == 0.0) return {};
    if (g == 1.0 || g == -1.0) return FormatGeneral(g) + " Lap";
    return FormatGeneral(g) + " Laps";
}

std::string FormatSpeed(double n, double t, double d) {
    if (n == 0.0 || t == 0.0 || d == 0.0) return "0.00";
    return FormatSeconds(d * n * 3600.0 / t);
}

std::string FormatLapTime(double t) {
    if (!(t > 0.0 && t <= LongestTimeShown)) return "NO TIME";
    const long long m = static_cast<long long>(std::floor(t / 60.0));
    const double s = t - 60.0 * static_cast<double>(m);
    const long long h = m / 60;
    const long long minutes = m % 60;
    std::string out;
    if (h > 0) out = std::to_string(h) + (minutes < 10 ? "h0" : "h");
    out += std::to_string(minutes) + "m";
    if (s < 10.0) out += "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", s);
    out += std::string(buf).substr(0, 6);
    return out;
}

std::string countdownText(long long seconds) {
    return "PRE RACE COUNTDOWN: " + FormatClock(seconds);
}

std::string startDelayText(int longestMs) {
    return "Start within " + std::to_string((std::max(longestMs, 1) + 999) / 1000) + " s";
}

} // namespace vexa
