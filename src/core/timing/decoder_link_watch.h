#pragma once

#include "ports/clock.h"
#include "ports/race_timer.h"
#include "ports/scheduler.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace vexa {

// Watches a decoder link in use for silence. A decoder may send nothing between passings, so
// silence alone proves nothing: once the link has brought nothing for `limitSeconds` of race
// time, the decoder is asked (`ask`: the question its presence check asks), and the link is dead
// (a cable cut without a reset, a half-open connection) only when that brings nothing either for
// `AnswerWaitMs`; then `onSilent` runs. Any byte from the link, an answer or not, ends the
// silence. Only race time counts: while no race takes passings the silence starts again, so a
// decoder that keeps quiet between races is not asked or taken for lost when the next race begins.
class SilenceWatch {
  public:
    static constexpr int CheckIntervalMs = 1000;
    static constexpr int64_t AnswerWaitMs = 5000;

    SilenceWatch(const Clock& clock, Scheduler& scheduler)
        : clock_(clock), timer_(scheduler, true, [this] { check(); }) {}

    // Starts watching afresh. `inRace` tells whether the silence counts now; `onSilent` runs
    // once the question went unanswered, after which the watch has stopped.
    void start(int limitSeconds, std::function<bool()> inRace, std::function<void()> ask,
               std::function<void()> onSilent);
    void stop() {
        timer_.stop();
        askedMs_.reset();
    }
    // Bytes arrived on the link.
    void heard() {
        lastHeardMs_ = clock_.milliseconds();
        askedMs_.reset();
    }
    bool running() const { return timer_.running(); }
    // True while the decoder has been asked and has not answered yet.
    bool asking() const { return askedMs_.has_value(); }

  private:
    void check();

    const Clock& clock_;
    RaceTimer timer_;
    int64_t limitMs_ = 0;
    int64_t lastHeardMs_ = 0;
    std::optional<int64_t> askedMs_;
    std::function<bool()> inRace_;
    std::function<void()> ask_;
    std::function<void()> onSilent_;
};

// The waits between automatic attempts to reach a lost decoder again: 2, 4, 8 and 16 seconds,
// then every 30 seconds.
class ReconnectBackoff {
  public:
    static constexpr int FirstDelayMs = 2000;
    static constexpr int LongestDelayMs = 30000;

    // The wait before the next attempt; each call doubles the next one up to the longest.
    int nextDelayMs();
    void reset() { delayMs_ = FirstDelayMs; }

  private:
    int delayMs_ = FirstDelayMs;
};

} // namespace vexa
