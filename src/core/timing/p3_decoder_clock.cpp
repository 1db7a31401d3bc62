#include "timing/p3_decoder_clock.h"

#include <cstdio>
#include <limits>

namespace vexa {

namespace {

// Decoder times beyond this (some 146,000 years) are no times; below it the sums cannot overflow.
constexpr uint64_t LatestTime = std::numeric_limits<int64_t>::max() / 2;

} // namespace

std::string p3TimeOfDay(uint64_t decoderTime) {
    const uint64_t ms = decoderTime / 1000 % (24ull * 3600 * 1000);
    char text[48];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", static_cast<unsigned>(ms / 3600000),
                  static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60),
                  static_cast<unsigned>(ms % 1000));
    return text;
}

void P3DecoderClock::observe(uint64_t decoderTime, int64_t computerMs) {
    if (decoderTime > LatestTime) return;
    const int64_t offset = computerMs * 1000 - static_cast<int64_t>(decoderTime);
    if (!offset_ || offset < *offset_) offset_ = offset;
}

std::optional<uint64_t> P3DecoderClock::decoderTimeAt(int64_t computerMs) const {
    if (!offset_) return std::nullopt;
    const int64_t time = computerMs * 1000 - *offset_;
    if (time < 0) return std::nullopt;
    return static_cast<uint64_t>(time);
}

std::optional<int64_t> P3DecoderClock::computerMsOf(uint64_t decoderTime) const {
    if (!offset_ || decoderTime > LatestTime) return std::nullopt;
    const int64_t micros = static_cast<int64_t>(decoderTime) + *offset_;
    return micros >= 0 ? (micros + 999) / 1000 : -((-micros) / 1000);
}

std::optional<double> P3DecoderClock::raceSeconds(uint64_t decoderTime, int64_t raceStartMs) const {
    if (!offset_ || decoderTime > LatestTime) return std::nullopt;
    // The passing's moment on the computer's clock, in microseconds, less the start.
    const int64_t micros = static_cast<int64_t>(decoderTime) + *offset_ - raceStartMs * 1000;
    return static_cast<double>(micros) / 1e6;
}

} // namespace vexa
