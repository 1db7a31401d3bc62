#pragma once

#include "live/live_request.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QFile;
class QTcpSocket;

namespace vexa {

// Milliseconds of a monotonic clock, for the live results server's deadlines.
int64_t liveServerNowMs();

// One connection of the live results server, on the server's thread. It reads one request at a
// time and answers it before it reads the next (what a client sends ahead waits in the
// connection), and it sends an answer only as fast as the client takes it: never more than
// about `ChunkBytes` twice over waits in the server for one answer, however large the file. It
// keeps the deadlines of LiveLimits, and it closes so that the client reads its last answer.
class LiveClient : public QObject {
    Q_OBJECT
  public:
    static constexpr qint64 ChunkBytes = 64 * 1024;

    enum class Phase {
        Waiting,   // for a request (none begun, or one begun and not whole)
        Answering, // a request is read and being answered
        Streaming, // following the event stream
        Finishing, // its last answer goes out, then the sending side closes
        Closing,   // the sending side is closed; what the client sends is thrown away
    };
    using RequestHandler = std::function<void(LiveClient&, const LiveRequest&)>;

    // Takes the connected socket; `holdsPlace` is false for a connection that is only refused.
    LiveClient(QTcpSocket* socket, QString address, const LiveLimits& limits, bool holdsPlace,
               QObject* parent = nullptr);
    ~LiveClient() override;

    // Called with each request read; it answers through one of the answers below, now or later.
    void onRequest(RequestHandler handler) { onRequest_ = std::move(handler); }
    // Starts reading (bytes may be there already).
    void start();

    Phase phase() const { return phase_; }
    const QString& address() const { return address_; }
    bool holdsPlace() const { return holdsPlace_ && phase_ < Phase::Finishing; }
    bool requestBegun() const { return requestBegunMs_ >= 0; }
    // Since when it waits for a request, or since it opened when it does not wait.
    int64_t sinceMs() const { return phase_ == Phase::Waiting ? waitingSinceMs_ : openedMs_; }
    // What the server holds for this client now: unsent bytes and unread ones.
    qint64 heldBytes() const;

    // The answers to the request read.
    void answer(int status, const QByteArray& type, const QByteArray& body);
    void answerFile(const QByteArray& type, std::unique_ptr<QFile> file);
    // An answer after which the connection closes (a refusal, a bad request, a deadline).
    void refuse(int status, const QByteArray& text);
    void startStream(const QByteArray& first);
    // One message of the event stream; false when the client was dropped because its unsent
    // messages had grown past the backlog bound.
    bool sendEvent(const QByteArray& message);

    // Closes after what is on its way (no answer is begun any more).
    void close();
    // Closes at once.
    void drop();
    // Gives its place to a newcomer: a begun request is told 408, the rest just closes.
    void giveWay();
    // The deadlines: a request not whole in time, a connection idle too long, a client that
    // takes nothing, a closing connection that lingers.
    void checkTimes(int64_t nowMs);

  signals:
    // It no longer holds a place (it closes).
    void placeFreed(vexa::LiveClient* client);
    // The connection is gone; the client may be deleted.
    void finished(vexa::LiveClient* client);

  private:
    void readMore();
    void sendMore();
    void writeHead(int status, const QByteArray& type, qint64 length, bool keepAlive);
    void endAnswer();
    void finishClosing();
    void halfClose();
    void connectionEnded();

    QTcpSocket* socket_;
    QString address_;
    LiveLimits limits_;
    bool holdsPlace_;
    bool ended_ = false;
    Phase phase_ = Phase::Waiting;
    RequestHandler onRequest_;
    QByteArray in_; // read and not yet taken as a request
    bool keepAlive_ = true;
    int64_t openedMs_;
    int64_t waitingSinceMs_;
    int64_t requestBegunMs_ = -1;
    int64_t progressMs_;    // the last time unsent bytes went out, or the first were queued
    int64_t closingMs_ = 0; // when the sending side closed
    // The body being sent: bytes, or a file, with what remains of it.
    QByteArray body_;
    std::unique_ptr<QFile> file_;
    qint64 sent_ = 0;
    qint64 remaining_ = 0;
};

} // namespace vexa
