#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vexa {

// Passing numbers from `first` to `last`, both included.
struct P3NumberRange {
    uint32_t first = 0;
    uint32_t last = 0;
    friend bool operator==(const P3NumberRange&, const P3NumberRange&) = default;
};

// What to do with a passing that arrived.
enum class P3PassingVerdict {
    New,       // count it
    Recovered, // count it: it fills a gap, it was missed and has come again
    Repeat,    // already counted: ignore it
};

// Keeps track of the decoder's passing numbers so that no passing is lost and none is counted
// twice. A decoder numbers its passings one after another; a number that jumps ahead leaves a gap
// of passings the program never received (the link was down, a record was damaged), which the
// decoder is asked to send again. A number at or below the last one is a passing sent again: it
// counts once if it fills a gap, and is a repeat otherwise.
//
// A decoder whose numbering starts again (its passings cleared) gives low numbers with times
// well after the newest passing's (`RestartMargin`; two passings close together may carry their
// times out of order, and a passing sent again is older): they are new passings, and the tracking
// starts again from them. A jump ahead of more than `MaxGap` numbers is a new numbering too, not
// a gap. Another decoder has numbers of its own: `restart` when the decoder changes.
class P3PassingTracker {
  public:
    static constexpr uint32_t MaxGap = 10000;
    static constexpr uint64_t RestartMargin = 10'000'000; // microseconds
    // Gaps kept at most; the oldest is given up beyond that.
    static constexpr size_t MaxGaps = 64;

    // A passing with its number and its time on the decoder's clock.
    P3PassingVerdict receive(uint32_t number, uint64_t rtcTime);

    // The decoder is known to have numbered passings up to `number`, the newest at `rtcTime`,
    // without them having been received here: those after the last received are missing. A
    // number too far ahead (see `MaxGap`) is of a new numbering and marks nothing.
    void missingUpTo(uint32_t number, uint64_t rtcTime);

    // The range to ask for with RESEND, covering every gap not asked for yet, which count as asked
    // from now on; nothing when there is none. It reaches one number beyond each end of the gaps
    // (passings already counted, which come back as repeats), so that the gap is covered whether
    // the decoder reads the range's ends as included or not.
    std::optional<P3NumberRange> takeResend();
    // The link to the decoder was made again: gaps asked for on the old link are asked again.
    void linkRestored();
    // Stops waiting for the missing passings (the decoder did not send them again in time): they
    // count as abandoned and hold nothing up any more, but one that comes after all still fills
    // its gap (Recovered) and is counted where it belongs. Returns how many were missing.
    uint64_t abandonGaps();
    // Forgets everything: another decoder, or a new meeting.
    void restart();

    // The highest passing number received; nothing before the first passing.
    std::optional<uint32_t> last() const { return last_; }
    // The latest decoder time of a passing received.
    uint64_t newestTime() const { return newestTime_; }
    // The passings missing, oldest first.
    std::vector<P3NumberRange> gaps() const;
    // How many passings are missing and waited for (not given up).
    uint64_t missing() const;
    // The lowest missing passing number waited for; nothing when none is.
    std::optional<uint32_t> firstMissing() const;
    // Passings that came again and filled a gap, since construction.
    uint64_t recovered() const { return recovered_; }
    // Passings received twice and ignored, since construction.
    uint64_t repeats() const { return repeats_; }
    // Missing passings given up: beyond `MaxGaps` gaps, or by abandonGaps (such a passing that
    // came after all is counted among the recovered too).
    uint64_t abandoned() const { return abandoned_; }

  private:
    struct Gap {
        P3NumberRange range;
        bool asked = false;
        bool givenUp = false;
    };
    void startAt(uint32_t number, uint64_t rtcTime);
    void addGap(P3NumberRange range);
    bool fillGap(uint32_t number);

    std::optional<uint32_t> last_;
    uint64_t newestTime_ = 0; // the latest decoder time of a passing received
    std::vector<Gap> gaps_;   // in number order, not touching each other
    uint64_t recovered_ = 0;
    uint64_t repeats_ = 0;
    uint64_t abandoned_ = 0;
};

} // namespace vexa
