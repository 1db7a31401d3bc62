#include "race/virtual_time.h"

#include <algorithm>

namespace vexa {

TimerId VirtualScheduler::startTimer(int intervalMs, bool repeating, std::function<void()> onFire) {
    const TimerId id = nextId_++;
    const int64_t interval = std::max(intervalMs, 1);
    timers_.emplace(id, Entry{clock_.milliseconds() + interval, interval, repeating, nextOrder_++,
                              std::move(onFire)});
    return id;
}

void VirtualScheduler::stopTimer(TimerId id) {
    timers_.erase(id);
}

std::map<TimerId, VirtualScheduler::Entry>::iterator VirtualScheduler::earliest() {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (best == timers_.end() || it->second.due < best->second.due ||
            (it->second.due == best->second.due && it->second.order < best->second.order))
            best = it;
    }
    return best;
}

std::optional<int64_t> VirtualScheduler::nextDue() const {
    std::optional<int64_t> due;
    for (const auto& [id, entry] : timers_)
        if (!due || entry.due < *due) due = entry.due;
    return due;
}

std::optional<int64_t> VirtualScheduler::dueOf(TimerId id) const {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return std::nullopt;
    return it->second.due;
}

void VirtualScheduler::fire(std::map<TimerId, Entry>::iterator it) {
    clock_.set(std::max(clock_.milliseconds(), it->second.due));
    // The callback may stop or restart any timer, so it runs from a copy and the entry is
    // settled (rescheduled or removed) before the call.
    std::function<void()> onFire = it->second.onFire;
    if (it->second.repeating) {
        it->second.due += it->second.interval;
        it->second.order = nextOrder_++;
    } else {
        timers_.erase(it);
    }
    onFire();
}

void VirtualScheduler::advanceTo(int64_t ms) {
    for (auto it = earliest(); it != timers_.end() && it->second.due <= ms; it = earliest())
        fire(it);
    clock_.set(std::max(clock_.milliseconds(), ms));
}

bool VirtualScheduler::fireNext() {
    const auto it = earliest();
    if (it == timers_.end()) return false;
    fire(it);
    return true;
}

} // namespace vexa
