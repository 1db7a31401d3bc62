#pragma once

#include "ports/scheduler.h"

#include <functional>

namespace vexa {

// One named timer of the race screen on top of the Scheduler: started with an interval,
// stopped, and asked whether it runs. A one-shot timer counts as stopped once it has fired.
class RaceTimer {
  public:
    RaceTimer(Scheduler& scheduler, bool repeating, std::function<void()> onFire)
        : scheduler_(scheduler), repeating_(repeating), onFire_(std::move(onFire)) {}
    ~RaceTimer() { stop(); }
    RaceTimer(const RaceTimer&) = delete;
    RaceTimer& operator=(const RaceTimer&) = delete;

    // (Re)starts the timer: the first firing comes one interval from now.
    void start(int intervalMs);
    void stop();
    bool running() const { return id_ != 0; }

  private:
    void fire();

    Scheduler& scheduler_;
    bool repeating_;
    std::function<void()> onFire_;
    TimerId id_ = 0;
};

} // namespace vexa
