#include "journal/resumable_time.h"

namespace vexa {

ResumableTime::~ResumableTime() {
    for (const auto& [id, t] : timers_)
        if (t.live) liveScheduler_.stopTimer(t.underlying);
}

int64_t ResumableTime::milliseconds() const {
    return replaying_ ? virtualClock_.milliseconds() : live_.milliseconds() + offset_;
}

TimerId ResumableTime::startUnderlying(TimerId id, int firstMs, bool repeating) {
    Scheduler& scheduler = replaying_ ? static_cast<Scheduler&>(virtual_) : liveScheduler_;
    return scheduler.startTimer(firstMs, repeating, [this, id] { fired(id); });
}

TimerId ResumableTime::startTimer(int intervalMs, bool repeating, std::function<void()> onFire) {
    const TimerId id = nextId_++;
    Timer t{0, !replaying_, repeating, false, intervalMs, std::move(onFire)};
    t.underlying = startUnderlying(id, intervalMs, repeating);
    timers_.emplace(id, std::move(t));
    return id;
}

void ResumableTime::stopTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    if (it->second.live)
        liveScheduler_.stopTimer(it->second.underlying);
    else
        virtual_.stopTimer(it->second.underlying);
    timers_.erase(it);
}

void ResumableTime::fired(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    std::function<void()> onFire = it->second.onFire;
    if (!it->second.repeating) {
        timers_.erase(it);
    } else if (it->second.carried) {
        // A repeating timer carried over from the replay ran out its rest: from now on it
        // repeats at its interval on the live timers.
        Timer& t = it->second;
        t.carried = false;
        t.underlying = liveScheduler_.startTimer(t.interval, true, [this, id] { fired(id); });
    }
    onFire();
}

void ResumableTime::beginReplay(int64_t ms) {
    replaying_ = true;
    virtualClock_.set(ms);
}

void ResumableTime::advanceTo(int64_t ms) {
    if (replaying_) virtual_.advanceTo(ms);
}

void ResumableTime::goLive() {
    if (!replaying_) return;
    const int64_t now = virtualClock_.milliseconds();
    offset_ = now - live_.milliseconds();
    replaying_ = false;
    for (auto& [id, t] : timers_) {
        if (t.live) continue;
        const int64_t due = virtual_.dueOf(t.underlying).value_or(now);
        virtual_.stopTimer(t.underlying);
        t.live = true;
        const int left = static_cast<int>(std::max<int64_t>(due - now, 0));
        // The rest first, once; a repeating timer goes on at its interval when it fires.
        t.carried = t.repeating;
        t.underlying = liveScheduler_.startTimer(left, false, [this, id = id] { fired(id); });
    }
}

} // namespace vexa
