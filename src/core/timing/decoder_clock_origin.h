#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace vexa {

// The moment an AMBrc or System 20 decoder's clock counts from. The program restarts that clock
// as it switches the decoder on (AMBrc: start command 24; System 20: its RTS line switched on), at
// the race set-up point and again as the race starts, so a passing's time on the decoder's clock
// is its race time: that is how such passings are timed, to the decoder's precision.
//
// After a resume or a decoder found again during a race the program has not seen every restart,
// and restarts none (that would shift every later lap): the decoder's clock still counts from
// the race start, or from the set-up point when the program stopped before the start, or, rarely,
// from some moment the program never saw. The first record then decides among the restarts the
// program knows: the latest under which that record was not made after it arrived. When none
// fits, the record is taken as made when it arrived.
class DecoderClockOrigin {
  public:
    // A record cannot arrive before it was made; clocks that tick a little apart are allowed this.
    static constexpr double ArrivalToleranceSeconds = 1.0;
    // A restart this close to the race clock's start is the race start: decoder times are race
    // times to the millisecond.
    static constexpr int64_t SameMomentMs = 50;
    // Restarts kept in mind, newest last.
    static constexpr size_t KeptRestarts = 4;

    // The decoder's clock was restarted at the clock's millisecond `ms`.
    void restarted(int64_t ms);
    // The program has not seen whether the decoder's clock still counts from the latest restart
    // (or from `possibleRestart`, when the decoder may have restarted by itself then): the next
    // record decides among the restarts kept.
    void unsure(std::optional<int64_t> possibleRestart);
    bool isUnsure() const { return unsure_; }
    // The restarts kept, oldest first.
    const std::vector<int64_t>& restarts() const { return restarts_; }

    // The race time of `decoderSeconds` on the decoder's clock, for a race clock that started at
    // the clock's millisecond `raceStartMs`; the record arrived at `arrivalMs`. Without any
    // restart known, decoder times are race times.
    double raceSeconds(double decoderSeconds, int64_t arrivalMs, int64_t raceStartMs);

  private:
    void keep(int64_t ms);
    double offset(int64_t origin, int64_t raceStartMs) const;

    std::vector<int64_t> restarts_;
    std::optional<int64_t> origin_;
    bool unsure_ = false;
};

} // namespace vexa
