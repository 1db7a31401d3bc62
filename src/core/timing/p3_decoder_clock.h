#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vexa {

// Times on a P3 decoder's clock (its RTC) are microseconds since 1970-01-01 on the decoder's own
// clock: mostly its wall-clock time in the local zone written as if it were UTC, or a count from
// power-up when the clock was never set. AMB RC decoders give whole milliseconds, others
// microseconds. A client never restarts this clock, so race times are differences of decoder
// times: lap times come straight from the decoder whatever the zone and however late a record
// arrives.

// The time of day of a decoder time, "hh:mm:ss.mmm", for the decoder monitor.
std::string p3TimeOfDay(uint64_t decoderTime);

// Relates the decoder's clock to the computer's, so that a race started on the computer's clock
// has a start on the decoder's. Each observation is a moment both clocks were read: a GET_TIME
// answer or a live passing as it arrives. Records reach the computer after the decoder made them,
// never before, so the observation with the shortest delay is the truest and is the one kept; a
// passing held up by the network cannot move the relation. Passings sent again on request are
// old and must not be observed.
class P3DecoderClock {
  public:
    // The decoder's clock read `decoderTime` when the computer's read `computerMs` (or earlier).
    void observe(uint64_t decoderTime, int64_t computerMs);
    // Starts afresh: another decoder, its clock set, or a new link.
    void forget() { offset_.reset(); }
    bool known() const { return offset_.has_value(); }

    // The decoder's time at a moment of the computer's clock; nothing before any observation or
    // before the decoder's clock began.
    std::optional<uint64_t> decoderTimeAt(int64_t computerMs) const;
    // The computer's millisecond at which the decoder's clock read `decoderTime` (rounded up, so
    // that a record taken at that moment cannot move the relation); nothing before any
    // observation.
    std::optional<int64_t> computerMsOf(uint64_t decoderTime) const;
    // The race time in seconds of a passing at `decoderTime`, for a race that started when the
    // computer's clock read `raceStartMs`: negative before the start, exact to the microsecond,
    // so the difference of two race times is the difference of their decoder times.
    std::optional<double> raceSeconds(uint64_t decoderTime, int64_t raceStartMs) const;

  private:
    // Computer time minus decoder time, in microseconds.
    std::optional<int64_t> offset_;
};

} // namespace vexa
