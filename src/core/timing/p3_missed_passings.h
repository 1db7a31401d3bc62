#pragma once

#include "ports/missed_passings.h"
#include "timing/p3_decoder_clock.h"
#include "timing/p3_frame.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The passings a P3 decoder sends while a race resumed from its journal waits for those it
// missed: each passing numbered after the race's last one, kept with its decoder time and its
// bytes, once. Its moment on the race's clock comes from the decoder's clock as the journal
// related it and as the decoder's answer to GET_TIME while the race waited relates it, whichever
// came with less delay.
class P3MissedPassings {
  public:
    // Passings asked for beyond the race's last one: more than a meeting's day of them.
    static constexpr uint32_t AskedAhead = 10000;

    void begin(uint32_t last, std::function<int64_t()> journalNow);
    bool active() const { return active_; }
    size_t come() const { return passings_.size(); }
    // A good frame of the decoder that came while waiting.
    void frame(const P3Frame& frame);
    // Ends the waiting: the passings in the order they were made, each at the moment `clock` (or
    // else the GET_TIME answer) puts it, held within `notBeforeMs` and `notAfterMs`.
    std::vector<TimedBytes> take(const P3DecoderClock& clock, int64_t notBeforeMs,
                                 int64_t notAfterMs);

  private:
    struct Kept {
        uint32_t number = 0;
        uint64_t rtcTime = 0;
        std::string bytes;
    };
    bool active_ = false;
    uint32_t last_ = 0;
    std::function<int64_t()> journalNow_;
    std::vector<Kept> passings_;
    struct Answer {
        uint64_t decoderTime = 0;
        int64_t ms = 0;
    };
    std::vector<Answer> answers_; // GET_TIME answers, on the journal's clock
};

} // namespace vexa
