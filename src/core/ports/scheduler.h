#pragma once

#include <cstdint>
#include <functional>

namespace vexa {

using TimerId = uint64_t;

// Timers of the user-interface thread. A started timer fires its callback after its interval,
// again every interval when it repeats, until it is stopped. Callbacks run one at a time on the
// same thread as everything else; a callback may stop or start any timer, its own included.
class Scheduler {
  public:
    virtual ~Scheduler() = default;
    // Returns an id that is never 0 and never reused.
    virtual TimerId startTimer(int intervalMs, bool repeating, std::function<void()> onFire) = 0;
    // Stopping an unknown or already stopped timer does nothing.
    virtual void stopTimer(TimerId id) = 0;
};

} // namespace vexa
