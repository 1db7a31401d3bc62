#pragma once

#include "live/live_request.h"
#include "model/outcome.h"
#include "platform/live_service.h"
#include "platform/live_snapshot.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QThread>

#include <memory>

namespace vexa {

class LiveFeed;

// The live results server on the track's network: the live page, the JSON feed and the event
// stream, and the pages of the event's HTML folder. It only reads: no request changes anything.
//
// The clients are served from a thread of the server's own, so that nothing a client does can
// hold the program's thread and the race's timers. The feed, which reads the race engine, is
// only read on the program's thread: after a redraw notice of the race engine the feed takes the
// new passings at once, and at the next turn of the event loop, once the engine has finished
// counting, the race is handed to the server's thread as a snapshot that is never changed again;
// the programme and a round's results are made there when a client asks (at most once a second
// each).
class LiveServer : public QObject {
    Q_OBJECT
  public:
    // Where the clients are served: on a thread of the server's own, or on the caller's (to
    // measure what the own thread spares the program).
    enum class Serving { OwnThread, CallerThread };

    explicit LiveServer(LiveFeed& feed, QObject* parent = nullptr, const LiveLimits& limits = {},
                        Serving serving = Serving::OwnThread);
    ~LiveServer() override;

    // Listens on the address (empty: every interface) and port (0: any free one); a failure
    // says why in the operator's words and leaves the server off.
    Outcome start(const QString& address, int port);
    bool listening() const { return listening_; }
    quint16 port() const { return port_; }
    // The address a phone opens, "http://192.168.1.5:8080/"; empty while not listening.
    QString pageAddress() const;

    // The race changed (a passing, the clock, a set-up): see the class comment.
    void raceChanged();

    int clients() const { return counters_.clients; }
    int streams() const { return counters_.streams; }
    // What the server holds for its clients (unsent and unread bytes), as last counted and at
    // the most since the start.
    qint64 heldBytes() const { return counters_.heldBytes; }
    qint64 peakHeldBytes() const { return counters_.peakHeldBytes; }

    // The live page, as the server sends it.
    static QByteArray livePage() { return LiveService::livePage(); }

  signals:
    // The race was handed over and written to every stream.
    void raceSent();
    // To the server's thread: a snapshot waits in the hand-over; a feed it asked for.
    void raceReady();
    void provided(int feed, const QByteArray& json);

  private:
    void pushRace();
    void provide(int feed);
    // Runs `work` on the server's thread and waits for it.
    void onServiceThread(const std::function<void()>& work);

    LiveFeed& feed_;
    Serving serving_;
    LiveHandOver handOver_;
    LiveCounters counters_;
    std::unique_ptr<LiveService> service_;
    QThread thread_;
    bool listening_ = false;
    bool pushPending_ = false;
    QHostAddress address_;
    quint16 port_ = 0;
};

} // namespace vexa
