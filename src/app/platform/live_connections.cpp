#include "platform/live_connections.h"

#include "live/live_places.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <algorithm>

namespace vexa {

namespace {

// The address a client is known by: an IPv4 client of a server listening on both protocols
// comes as "::ffff:a.b.c.d" and is taken as "a.b.c.d".
QString clientAddress(const QHostAddress& peer) {
    bool isV4 = false;
    const quint32 v4 = peer.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : peer.toString();
}

// Deadlines are checked a few times within the shortest of them.
int sweepInterval(const LiveLimits& limits) {
    const int shortest = std::min({limits.requestMs, limits.stalledMs, limits.lingerMs});
    return std::clamp(shortest / 4, 10, 250);
}

} // namespace

LiveConnections::LiveConnections(const LiveLimits& limits, QObject* parent)
    : QTcpServer(parent), limits_(limits), sweeper_(this) {
    // The whole crowd may open the page at the same moment (the start of a final).
    setListenBacklogSize(limits.clients + 10);
    sweeper_.setInterval(sweepInterval(limits));
    connect(&sweeper_, &QTimer::timeout, this, &LiveConnections::sweep);
}

LiveConnections::~LiveConnections() {
    closeAll();
}

void LiveConnections::incomingConnection(qintptr handle) {
    auto* socket = new QTcpSocket;
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (!sweeper_.isActive()) sweeper_.start(); // none to sweep before the first
    const QString address = clientAddress(socket->peerAddress());
    bool admitted = static_cast<int>(clients_.size()) < limits_.clients;
    if (!admitted) {
        std::vector<LivePlace> places;
        places.reserve(clients_.size());
        for (const LiveClient* c : clients_)
            places.push_back({c->address().toStdString(), c->phase() == LiveClient::Phase::Waiting,
                              c->sinceMs()});
        if (const auto freed = placeToFree(places, address.toStdString())) {
            clients_[*freed]->giveWay(); // frees its place at once
            admitted = static_cast<int>(clients_.size()) < limits_.clients;
        }
    }
    auto* client = new LiveClient(socket, address, limits_, admitted, this);
    connect(client, &LiveClient::placeFreed, this, &LiveConnections::freePlace);
    connect(client, &LiveClient::finished, this, &LiveConnections::forget);
    if (!admitted) {
        closing_.push_back(client);
        client->refuse(503, "Service Unavailable\n");
        return;
    }
    client->onRequest(onRequest_);
    clients_.push_back(client);
    if (onPlaces_) onPlaces_(clients());
    client->start();
}

void LiveConnections::freePlace(LiveClient* client) {
    const auto it = std::find(clients_.begin(), clients_.end(), client);
    if (it == clients_.end()) return;
    clients_.erase(it);
    closing_.push_back(client);
    while (closing_.size() > MaxClosing) {
        LiveClient* oldest = closing_.front();
        closing_.pop_front();
        oldest->drop();
    }
    if (onPlaces_) onPlaces_(clients());
}

void LiveConnections::forget(LiveClient* client) {
    freePlace(client);
    const auto it = std::find(closing_.begin(), closing_.end(), client);
    if (it != closing_.end()) closing_.erase(it);
    client->deleteLater();
}

qint64 LiveConnections::heldBytes() const {
    qint64 held = 0;
    for (const LiveClient* c : clients_) held += c->heldBytes();
    for (const LiveClient* c : closing_) held += c->heldBytes();
    return held;
}

void LiveConnections::sweep() {
    const int64_t now = liveServerNowMs();
    // A check may close a connection and change the lists: go through a copy.
    std::vector<LiveClient*> all(clients_.begin(), clients_.end());
    all.insert(all.end(), closing_.begin(), closing_.end());
    for (LiveClient* c : all) c->checkTimes(now);
}

void LiveConnections::closeAll() {
    sweeper_.stop();
    close();
    std::vector<LiveClient*> all(clients_.begin(), clients_.end());
    all.insert(all.end(), closing_.begin(), closing_.end());
    clients_.clear();
    closing_.clear();
    for (LiveClient* c : all) delete c;
}

} // namespace vexa
