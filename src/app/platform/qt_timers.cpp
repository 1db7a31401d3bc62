#include "platform/qt_timers.h"

#include <QTimer>

namespace vexa {

QtScheduler::~QtScheduler() {
    for (auto& [id, entry] : timers_) delete entry.timer;
}

TimerId QtScheduler::startTimer(int intervalMs, bool repeating, std::function<void()> onFire) {
    const TimerId id = nextId_++;
    auto* timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervalMs);
    timer->setSingleShot(!repeating);
    connect(timer, &QTimer::timeout, this, [this, id] { fire(id); });
    timers_.emplace(id, Entry{timer, repeating, std::move(onFire)});
    timer->start();
    return id;
}

void QtScheduler::stopTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    it->second.timer->stop();
    it->second.timer->deleteLater();
    timers_.erase(it);
}

void QtScheduler::fire(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    // The callback may stop or start timers, this one included: it runs on a copy.
    const std::function<void()> onFire = it->second.onFire;
    if (!it->second.repeating) {
        it->second.timer->deleteLater();
        timers_.erase(it);
    }
    onFire();
}

} // namespace vexa
