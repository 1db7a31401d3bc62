#pragma once

#include "ports/clock.h"
#include "ports/scheduler.h"
#include "race/race_timer.h"

#include <cstdint>
#include <functional>

namespace vexa {

// Watches a decoder link in use for silence. AMBrc and P3 decoders send a status record every
// few seconds unasked, so a link that brings nothing for `limitSeconds` of race time is dead
// whatever the socket or port says (a cable cut without a reset, a half-open connection). Only
// race time counts: while no race takes passings the silence starts again, so a decoder that
// keeps quiet between races is not taken for lost when the next race begins.
class SilenceWatch {
  public:
    static constexpr int CheckIntervalMs = 1000;

    SilenceWatch(const Clock& clock, Scheduler& scheduler)
        : clock_(clock), timer_(scheduler, true, [this] { check(); }) {}

    // Starts watching afresh. `inRace` tells whether the silence counts now; `onSilent` runs
    // once the silence has lasted `limitSeconds`, after which the watch has stopped.
    void start(int limitSeconds, std::function<bool()> inRace, std::function<void()> onSilent);
    void stop() { timer_.stop(); }
    // Bytes arrived on the link.
    void heard() { lastHeardMs_ = clock_.milliseconds(); }
    bool running() const { return timer_.running(); }

  private:
    void check();

    const Clock& clock_;
    RaceTimer timer_;
    int64_t limitMs_ = 0;
    int64_t lastHeardMs_ = 0;
    std::function<bool()> inRace_;
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
