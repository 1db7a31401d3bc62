#pragma once

#include "live/live_request.h"
#include "platform/live_snapshot.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

class LiveClient;
class LiveConnections;

// What the server's thread tells the program's thread without waiting for it.
struct LiveCounters {
    std::atomic<int> clients{0};
    std::atomic<int> streams{0};
    std::atomic<qint64> heldBytes{0};     // as last counted (a few times a second)
    std::atomic<qint64> peakHeldBytes{0}; // the most counted since the start
};

// The live results server's work on its own thread: it reads the requests of its connections
// and answers them from what the program's thread handed over: the race (a LiveHandOver
// snapshot, taken when `raceReady` is told) and the programme and results, asked for by
// `wanted` and received by `provide` (each kept for a second, so that a crowd asking at once
// costs the program one answer). The live page and the files of the event's html folder it
// sends itself.
class LiveService : public QObject {
    Q_OBJECT
  public:
    static constexpr int ProgrammeFeed = 0; // results feeds are their round, 1..20
    static constexpr int FreshFeedMs = 1000;
    static constexpr int KeepAliveMs = 15000;

    LiveService(LiveHandOver& handOver, LiveCounters& counters, const LiveLimits& limits);
    ~LiveService() override;

    // On the service's thread: listens (false and why otherwise), stops.
    bool listen(const QHostAddress& address, quint16 port, QString& error);
    QHostAddress serverAddress() const;
    quint16 serverPort() const;
    // Closes every connection and hands the service back to `home` (the program's thread).
    void stop(QThread* home);

    static QByteArray livePage();

  public slots:
    void takeRace();
    void provide(int feed, const QByteArray& json);

  signals:
    void wanted(int feed);
    // The race was taken and written to every stream.
    void raceWritten();

  private:
    struct Feed {
        QByteArray json;
        qint64 madeMs = -1;
        bool asked = false;
        std::vector<QPointer<LiveClient>> waiting;
    };

    void answer(LiveClient& client, const LiveRequest& request);
    void sendFeed(LiveClient& client, int feed);
    void sendHtmlFile(LiveClient& client, const std::string& name);
    void openStream(LiveClient& client);
    void writeToStreams(const QByteArray& message);
    void countHeld();
    bool raceBehind() const;

    LiveHandOver& handOver_;
    LiveCounters& counters_;
    LiveConnections* connections_;
    std::shared_ptr<const LiveRaceSnapshot> race_;
    std::array<Feed, 21> feeds_;
    std::vector<QPointer<LiveClient>> streams_;
    std::vector<QPointer<LiveClient>> raceWaiting_;
    QTimer keepAlive_;
    QTimer counting_;
};

} // namespace vexa
