#pragma once

#include "ports/clock.h"
#include "ports/scheduler.h"

#include <cstdint>
#include <map>
#include <optional>

namespace vexa {

// A clock that only moves when told to.
class VirtualClock : public Clock {
  public:
    int64_t milliseconds() const override { return now_; }
    void set(int64_t ms) { now_ = ms; }

  private:
    int64_t now_ = 0;
};

// Timers over virtual time: advancing fires every timer that falls due, in order of time (timers
// due at the same millisecond in the order they were started), moving the clock to each firing
// moment. Whole races run in milliseconds of real time.
class VirtualScheduler : public Scheduler {
  public:
    explicit VirtualScheduler(VirtualClock& clock) : clock_(clock) {}

    TimerId startTimer(int intervalMs, bool repeating, std::function<void()> onFire) override;
    void stopTimer(TimerId id) override;

    // Fires every timer due at or before `ms`, then leaves the clock at `ms`.
    void advanceTo(int64_t ms);
    void advanceBy(int64_t ms) { advanceTo(clock_.milliseconds() + ms); }
    // Fires the earliest due timer, moving the clock to its moment; false when none runs.
    bool fireNext();

    std::optional<int64_t> nextDue() const;
    // When a running timer fires next; nothing for a stopped one.
    std::optional<int64_t> dueOf(TimerId id) const;
    int64_t now() const { return clock_.milliseconds(); }
    size_t runningTimers() const { return timers_.size(); }

  private:
    struct Entry {
        int64_t due;
        int64_t interval;
        bool repeating;
        uint64_t order; // renewed at every firing so that ties keep a stable order
        std::function<void()> onFire;
    };
    std::map<TimerId, Entry>::iterator earliest();
    void fire(std::map<TimerId, Entry>::iterator it);

    VirtualClock& clock_;
    std::map<TimerId, Entry> timers_;
    TimerId nextId_ = 1;
    uint64_t nextOrder_ = 0;
};

} // namespace vexa
