#pragma once

#include "journal/journal_records.h"
#include "journal/race_inputs.h"
#include "journal/resumable_time.h"
#include "ports/missed_passings.h"
#include "ports/race_timer.h"
#include "ports/scheduler.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vexa {

inline constexpr const char* AskingForMissedPassingsNotice =
    "Asking the decoder for the passings made while the program was stopped: the race waits for "
    "them up to 15 s";

// Carries an unfinished race on from its journal. The journal is replayed into the race engine on
// replayed time from the moment its countdown opened, its inputs journaled again as they are
// replayed. A decoder that keeps its passings (MissedPassings) is then asked for those the race
// missed while the program was stopped, and the race stands, its clock where the journal left it,
// until they have come: once the decoder has sent nothing more for `QuietMs`, or after
// `LongestWaitMs` at most. Each is handed to the race at the moment it was made, with the race's
// timers in between, so that a race whose time and last-lap window passed meanwhile ends with
// them as a race never stopped would have. Then the time runs on to now and the race goes live,
// its clock continued from its start.
class RaceResume {
  public:
    static constexpr int PollMs = 500;
    // As long as a P3 link waits for passings asked again.
    static constexpr int QuietMs = 3000;
    static constexpr int LongestWaitMs = 15000;

    struct Parts {
        RaceEngine& engine;
        RaceInputs& inputs;
        ResumableTime& time;
        // Runs the wait while the race's own time stands.
        Scheduler& liveScheduler;
        // The clock's moment now, as the journal counts time.
        std::function<int64_t()> nowMs;
        // Told what the race waits for.
        std::function<void(const std::string&)> tell;
    };

    // `resumed` runs once the race is live, with the number of passings the decoder sent again.
    RaceResume(Journal journal, Parts parts, std::function<void(size_t recovered)> resumed);
    RaceResume(const RaceResume&) = delete;
    RaceResume& operator=(const RaceResume&) = delete;

    // Replays the journal and, when `decoder` can be asked, waits for it; otherwise the race goes
    // live at once.
    void start(MissedPassings* decoder);
    // True while the race stands waiting for the decoder.
    bool waiting() const { return poll_.running(); }

  private:
    void poll();
    void goLive();

    Journal journal_;
    Parts parts_;
    std::function<void(size_t)> resumed_;
    MissedPassings* decoder_ = nullptr;
    RaceTimer poll_;
    int64_t replayedTo_ = 0;
    int waitedMs_ = 0;
    int quietMs_ = 0;
    size_t come_ = 0;
};

} // namespace vexa
