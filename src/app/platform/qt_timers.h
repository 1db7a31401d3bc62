#pragma once

#include "ports/clock.h"
#include "ports/scheduler.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <map>

class QTimer;

namespace vexa {

// Milliseconds since the program started, from a monotonic clock.
class QtClock : public Clock {
  public:
    QtClock() { elapsed_.start(); }
    int64_t milliseconds() const override { return elapsed_.elapsed(); }

  private:
    QElapsedTimer elapsed_;
};

// The core's timers as QTimers of the user-interface thread, precise to the millisecond.
class QtScheduler : public QObject, public Scheduler {
    Q_OBJECT
  public:
    explicit QtScheduler(QObject* parent = nullptr) : QObject(parent) {}
    ~QtScheduler() override;

    TimerId startTimer(int intervalMs, bool repeating, std::function<void()> onFire) override;
    void stopTimer(TimerId id) override;
    size_t runningTimers() const { return timers_.size(); }

  private:
    struct Entry {
        QTimer* timer;
        bool repeating;
        std::function<void()> onFire;
    };
    void fire(TimerId id);

    std::map<TimerId, Entry> timers_;
    TimerId nextId_ = 1;
};

} // namespace vexa
