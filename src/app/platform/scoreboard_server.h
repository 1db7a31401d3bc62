#pragma once

#include "model/outcome.h"
#include "scoreboard/scoreboard_feed.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTcpSocket;

namespace vexa {

struct ProgSettings;
class RaceEngine;

// What the scoreboard feed reads: the settings and the race station's engine as `race` gives it
// now (none before the station is built).
struct ScoreboardSources {
    const ProgSettings& settings;
    std::function<const RaceEngine*()> race;
};

// What any reader can take of the scoreboard server.
struct ScoreboardLimits {
    int maxReaders = 200;
    // A reader whose records wait unsent past this many bytes has stopped reading: it is dropped.
    qint64 maxBacklogBytes = 64 * 1024;
    // The system's send buffer of each connection; 0 leaves the system's own.
    int socketBufferBytes = 0;
};

// The scoreboard feed on the track's network: the race in the RMonitor records that timing
// displays, scoreboards and overlays read over TCP. Readers only read: what they send is thrown
// away. Each record leaves as the race changes (no record waits for the next second), the
// heartbeat every second; a reader that connects gets the whole state at once. Writing never
// waits for a reader: the records of a reader that does not take them pile up in its
// connection only up to the backlog bound, and past it the reader is dropped.
class ScoreboardServer : public QObject {
    Q_OBJECT
  public:
    static constexpr int HeartbeatMs = 1000;

    explicit ScoreboardServer(const ScoreboardSources& sources, QObject* parent = nullptr,
                              const ScoreboardLimits& limits = {});
    ~ScoreboardServer() override;

    // Listens on the address (empty: every interface) and port (0: any free one); a failure
    // says why in the operator's words and leaves the server off.
    Outcome start(const QString& address, int port);
    bool listening() const { return server_.isListening(); }
    quint16 port() const { return server_.serverPort(); }
    // Where a display connects, "192.168.1.5:50000"; empty while not listening.
    QString feedAddress() const;

    // The race changed (a passing, the clock, a set-up): the records of the change go out.
    void raceChanged();

    int readers() const { return static_cast<int>(readers_.size()); }
    // Readers dropped because they stopped taking their records, and newcomers refused because
    // every place was taken, since the start.
    int droppedReaders() const { return dropped_; }
    int refusedReaders() const { return refused_; }

    // The wall clock of the records' times of day (the computer's by default).
    void setWallClock(std::function<WallMoment()> clock) { wallClock_ = std::move(clock); }

  private:
    void accept();
    void send(const std::string& records);
    void write(QTcpSocket* reader, const QByteArray& bytes);
    void drop(QTcpSocket* reader);
    void forget(QTcpSocket* reader);
    void heartbeat();

    ScoreboardSources sources_;
    ScoreboardLimits limits_;
    ScoreboardFeed feed_;
    QTcpServer server_;
    QTimer heartbeat_;
    std::vector<QTcpSocket*> readers_;
    std::function<WallMoment()> wallClock_;
    int dropped_ = 0;
    int refused_ = 0;
};

} // namespace vexa
