#pragma once

#include "live/live_request.h"
#include "platform/live_client.h"

#include <QTcpServer>
#include <QTimer>

#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

namespace vexa {

// The listening socket of the live results server and the places of its clients. It accepts
// every connection: while fewer than the most clients hold places, a newcomer takes one; when
// all are taken, the sharing rule of placeToFree frees one for it or it is refused with 503,
// which it can read before the connection closes cleanly. A place is free again as soon as its
// connection closes or begins to close. Every connection has Nagle's algorithm off, so that a
// message of the event stream leaves at once. It runs on the server's thread.
class LiveConnections : public QTcpServer {
    Q_OBJECT
  public:
    // Closing connections kept to let their clients read the last answer; past this many the
    // oldest is closed at once.
    static constexpr size_t MaxClosing = 64;

    explicit LiveConnections(const LiveLimits& limits, QObject* parent = nullptr);
    ~LiveConnections() override;

    void onRequest(LiveClient::RequestHandler handler) { onRequest_ = std::move(handler); }
    // Called whenever the number of places held changes.
    void onPlacesChanged(std::function<void(int)> changed) { onPlaces_ = std::move(changed); }

    int clients() const { return static_cast<int>(clients_.size()); }
    // Everything the server holds for its connections: unsent and unread bytes.
    qint64 heldBytes() const;
    // Closes every connection at once (the server stops).
    void closeAll();

  protected:
    void incomingConnection(qintptr handle) override;

  private:
    void freePlace(LiveClient* client);
    void forget(LiveClient* client);
    void sweep();

    LiveLimits limits_;
    LiveClient::RequestHandler onRequest_;
    std::function<void(int)> onPlaces_;
    std::vector<LiveClient*> clients_; // holding places, oldest first
    std::deque<LiveClient*> closing_;  // closing, refused included, oldest first
    QTimer sweeper_;
};

} // namespace vexa
