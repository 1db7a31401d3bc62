#include "ports/race_timer.h"

namespace vexa {

void RaceTimer::start(int intervalMs) {
    stop();
    id_ = scheduler_.startTimer(intervalMs, repeating_, [this] { fire(); });
}

void RaceTimer::stop() {
    if (id_ == 0) return;
    scheduler_.stopTimer(id_);
    id_ = 0;
}

void RaceTimer::fire() {
    if (!repeating_) id_ = 0;
    onFire_();
}

} // namespace vexa
