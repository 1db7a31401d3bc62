#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <vector>

class QTcpSocket;

namespace vexa {

// The listening socket of the live results server, which bounds what the HTTP layer above it
// sees: a connection beyond the most clients is answered 503 and closed, a client that sends
// more than the request limit before it is answered gets 431 and is closed, one that sends what
// the HTTP layer cannot read gets 400, and a connection quiet for a minute is closed. None of it
// touches the race or the other clients.
class LiveConnections : public QTcpServer {
    Q_OBJECT
  public:
    static constexpr int IdleMs = 60000;
    static constexpr int SweepMs = 1000;

    LiveConnections(int maxClients, size_t maxRequestBytes, QObject* parent = nullptr,
                    int idleMs = IdleMs);

    int clients() const;

  protected:
    void incomingConnection(qintptr handle) override;

  private:
    struct Watch {
        qint64 received = 0;  // bytes since the last answer
        bool refused = false; // answered by this layer: whatever else comes is dropped
        QElapsedTimer quiet;  // since the last byte either way
    };
    void watchRequests(QTcpSocket* socket, const std::shared_ptr<Watch>& watch);
    void sweep();

    int maxClients_;
    size_t maxRequestBytes_;
    int idleMs_;
    // Every connection served, so that one the HTTP layer let go of (a closed or upgraded
    // connection no longer in its hands) is still closed and freed.
    std::vector<std::pair<QPointer<QTcpSocket>, std::shared_ptr<Watch>>> sockets_;
    QTimer sweeper_;
};

// A whole short answer that closes the connection, for the cases the HTTP layer never sees.
QByteArray closingAnswer(int status, const char* reason);

} // namespace vexa
