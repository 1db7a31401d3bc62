#pragma once

#include "ports/clock.h"
#include "ports/scheduler.h"
#include "race/virtual_time.h"

#include <cstdint>
#include <functional>
#include <map>

namespace vexa {

// The program's clock and timers, able to replay a stopped race: normally they are the live
// ones (the clock shifted to go on from where a resumed race stood); while replaying, time
// stands still and moves only as the replay moves it, firing every timer that falls due on the
// way, as in a simulation. Going live again, every timer carries on with the time it had left.
class ResumableTime : public Clock, public Scheduler {
  public:
    ResumableTime(const Clock& live, Scheduler& liveScheduler)
        : live_(live), liveScheduler_(liveScheduler) {}
    ~ResumableTime() override;
    ResumableTime(const ResumableTime&) = delete;
    ResumableTime& operator=(const ResumableTime&) = delete;

    int64_t milliseconds() const override;
    TimerId startTimer(int intervalMs, bool repeating, std::function<void()> onFire) override;
    void stopTimer(TimerId id) override;

    bool replaying() const { return replaying_; }
    // Time stands at `ms` until the replay moves it.
    void beginReplay(int64_t ms);
    // Moves the replay's time on to `ms`, firing the timers due by then.
    void advanceTo(int64_t ms);
    // Live again, the clock going on from the replay's moment.
    void goLive();

  private:
    struct Timer {
        TimerId underlying = 0;
        bool live = true;
        bool repeating = false;
        bool carried = false; // a repeating timer's rest from the replay, fired once
        int interval = 0;
        std::function<void()> onFire;
    };
    TimerId startUnderlying(TimerId id, int firstMs, bool repeating);
    void fired(TimerId id);

    const Clock& live_;
    Scheduler& liveScheduler_;
    VirtualClock virtualClock_;
    VirtualScheduler virtual_{virtualClock_};
    bool replaying_ = false;
    int64_t offset_ = 0;
    std::map<TimerId, Timer> timers_;
    TimerId nextId_ = 1;
};

} // namespace vexa
