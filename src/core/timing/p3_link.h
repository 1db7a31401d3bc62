#pragma once

#include "ports/race_timer.h"
#include "ports/scheduler.h"
#include "ports/timed_race.h"
#include "timing/p3_decoder_clock.h"
#include "timing/p3_frame_reader.h"
#include "timing/p3_missed_passings.h"
#include "timing/p3_passing_tracker.h"
#include "timing/p3_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

class Clock;
class DecoderSocket;
class TimingView;
class PassingCounter;

// The operator's notice when passings the link missed have come again ("Passings recovered from
// the decoder: 3") or, after waiting in vain, some could not ("...: 3; not recovered: 2"). One
// given up that comes after all is still counted in its place while its race is open; after its
// race was stored, the operator is told which race it belongs to.
std::string p3RecoveredNotice(uint64_t recovered, uint64_t lost);

// What the P3 side of the counting equipment works through.
struct P3LinkPorts {
    const Clock& clock;
    Scheduler& scheduler;
    DecoderSocket& socket;
    TimingView& view;
};

// The P3 decoder on the counting equipment's TCP link: its records read from the bytes, every
// passing judged by its number, the missing ones asked for again, and passings handed to the
// race in the order the decoder numbered them, with times from the decoder's own clock.
//
// No passing is lost and none counted twice: a passing number that jumps ahead leaves a gap
// (the link was down, a record was damaged), which is asked for at once with RESEND. Until the
// gap has come back, later passings are held, so that every car's crossings reach the race in
// the order they happened; a decoder that sends nothing more for `HoldMs` (while the link is up)
// is taken to have none, and the held passings go on. One of those that comes after all is still
// counted, in its place among the car's crossings, while its race is open. A passing that comes
// twice is ignored.
//
// Times: the decoder's clock is related to the computer's by the record that arrived with the
// least delay (a GET_TIME answer or a live passing), and anew at each race start, so that the two
// clocks cannot drift apart over a day. A passing's race time is its decoder time on that
// relation, however late the record arrives.
//
// The decoder is the one that answered the presence check: passings of another decoder id are
// not counted ("Decoder has incorrect ID"); a check answered by another decoder than before
// starts the bookkeeping of passing numbers and of the clock afresh.
class P3Link {
  public:
    static constexpr int HoldMs = 3000;
    // A passing this much before the race start is from before the race, not for it.
    static constexpr double EarlySeconds = 6.0;

    P3Link(TimedRace& race, PassingCounter& counter, const P3LinkPorts& ports);
    P3Link(const P3Link&) = delete;
    P3Link& operator=(const P3Link&) = delete;

    // Calls `onFrame(const P3Frame&)` for every good record completed by these bytes.
    template <class OnFrame> void feed(std::string_view bytes, OnFrame&& onFrame) {
        reader_.feed(bytes, onFrame);
    }

    // The link was opened: what was half read is forgotten, and the gaps still open are asked
    // for again on the new link.
    void linkOpened();
    // The link was closed or lost: waiting for missing passings pauses until it is back.
    void linkClosed();
    // A stopped race is about to be replayed into the link from its journal. The passings seen
    // since the program started are set aside, for the replay puts the passing numbers back as
    // they stood; the newest of them is kept in mind.
    void replayBegins();
    // The replay is done: the passings the decoder numbered after the journal's last one, up to
    // the newest seen before the replay, are missing and asked for again. (Those numbered later
    // leave a gap when the next passing comes.)
    void replayEnds();
    // Asks for the decoder's clock: the question of the presence check.
    void askTime();

    // A race resumed from its journal waits for the passings the decoder made after the
    // journal's last one (MissedPassings): they are asked for, and until they are taken every
    // record of the link is set aside for them. False when the link is down or no passing is
    // known to go on from.
    bool askForMissed(std::function<int64_t()> journalNow);
    bool askingForMissed() const { return missed_.active(); }
    size_t missedCome() const { return missed_.come(); }
    void setAside(const P3Frame& frame);
    std::vector<TimedBytes> takeMissed(int64_t notBeforeMs, int64_t notAfterMs);
    // Asks for the decoder's type and versions ("Information" of the transponder test).
    void askVersion();

    // The record that answered the presence check: the decoder is known from it. The record
    // itself is then taken as any other (record).
    void found(const P3Frame& frame);
    // A record of the decoder. Passings are tracked by number whatever becomes of them; with
    // `forRace` they go to the race when it takes passings, and the status to the main window.
    void record(const P3Frame& frame, bool forRace);
    // The race starts: the decoder's clock is related to the computer's anew.
    void raceStarting();

    std::optional<uint32_t> decoderId() const { return decoderId_; }
    const P3PassingTracker& tracker() const { return tracker_; }
    const P3DecoderClock& decoderClock() const { return clock_; }
    const P3FrameCounts& frameCounts() const { return reader_.counts(); }
    // True while later passings wait for missing ones.
    bool holding() const { return !held_.empty() || tracker_.firstMissing().has_value(); }

  private:
    bool foreign(const std::optional<uint32_t>& id) const;
    void passing(const P3Passing& p, bool forRace);
    // A passing sent again after the race it was made in was stored: the operator is told.
    bool afterItsRace(const P3Passing& p);
    void observe(uint64_t decoderTime);
    void askForGaps();
    void armHold();
    void giveUp();
    // Hands on the held passings that no missing one precedes; ends the hold when none is
    // missing.
    void release();
    void count(const P3Passing& p);
    // Forgets the passing numbers and what waits for missing ones.
    void forgetPassings();

    TimedRace& race_;
    PassingCounter& counter_;
    P3LinkPorts ports_;
    P3FrameReader reader_;
    P3PassingTracker tracker_;
    P3DecoderClock clock_;
    std::optional<uint32_t> decoderId_;
    bool reanchor_ = false;
    bool linkUp_ = false;
    std::vector<P3Passing> held_;  // in passing-number order
    RaceTimer holdTimer_;          // while passings wait for missing ones on a link that is up
    uint64_t recoveredBefore_ = 0; // the tracker's count when the hold began
    uint64_t abandonedBefore_ = 0;
    bool inHold_ = false;
    struct Seen {
        uint32_t number = 0;
        uint64_t rtcTime = 0;
    };
    std::optional<Seen> seenBeforeReplay_;
    P3MissedPassings missed_;
};

} // namespace vexa
