#pragma once

#include <QByteArray>
#include <QMutex>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace vexa {

// The live race as the server's thread sends it: made on the program's thread from the race
// engine's state, and never changed once handed over.
struct LiveRaceSnapshot {
    QByteArray json;                  // the answer to /api/race
    QByteArray event;                 // the event stream's message carrying it
    std::filesystem::path htmlFolder; // the event's html folder; empty while none is open
    uint64_t change = 0;              // the race's changes it holds (see LiveHandOver)
};

// Where the program's thread leaves the newest snapshot for the server's thread. Only the newest
// counts: a server that lags behind the race sends the race as it stands, not every step it
// missed, and no more than one snapshot waits.
class LiveHandOver {
  public:
    // The program's thread counts each change of the race as it happens, before its snapshot is
    // made, so that the server's thread can tell that the snapshot it has is behind.
    void changed() { ++changes_; }
    uint64_t changes() const { return changes_; }

    // Leaves `snapshot`; true when the server's thread has taken the one before, so that it
    // must be told that another waits.
    bool put(std::shared_ptr<const LiveRaceSnapshot> snapshot) {
        QMutexLocker lock(&mutex_);
        latest_ = std::move(snapshot);
        const bool tell = taken_;
        taken_ = false;
        return tell;
    }
    std::shared_ptr<const LiveRaceSnapshot> take() {
        QMutexLocker lock(&mutex_);
        taken_ = true;
        return latest_;
    }

  private:
    QMutex mutex_;
    std::shared_ptr<const LiveRaceSnapshot> latest_;
    bool taken_ = true;
    std::atomic<uint64_t> changes_{0};
};

} // namespace vexa
