#include "platform/live_connections.h"

#include <QTcpSocket>

#include <algorithm>

namespace vexa {

QByteArray closingAnswer(int status, const char* reason) {
    const QByteArray body = QByteArray(reason) + "\n";
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
           "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

LiveConnections::LiveConnections(int maxClients, size_t maxRequestBytes, QObject* parent,
                                 int idleMs)
    : QTcpServer(parent), maxClients_(maxClients), maxRequestBytes_(maxRequestBytes),
      idleMs_(idleMs) {
    // The whole crowd may open the page at the same moment (the start of a final).
    setListenBacklogSize(maxClients + 10);
    sweeper_.setInterval(std::min(SweepMs, idleMs));
    connect(&sweeper_, &QTimer::timeout, this, &LiveConnections::sweep);
}

void LiveConnections::incomingConnection(qintptr handle) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    if (clients() >= maxClients_) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(closingAnswer(503, "Service Unavailable"));
        socket->disconnectFromHost();
        return;
    }
    if (!sweeper_.isActive()) sweeper_.start(); // none to sweep before the first
    auto watch = std::make_shared<Watch>();
    watch->quiet.start();
    sockets_.emplace_back(socket, watch);
    watchRequests(socket, watch);
    addPendingConnection(socket);
}

// Connected before the HTTP layer reads the socket, so this sees every byte first. What a
// client sends before its answer starts is counted; an answer starts the count afresh. A request
// the HTTP layer cannot read makes it close the connection without an answer: the client is
// told 400 on the way out.
void LiveConnections::watchRequests(QTcpSocket* socket, const std::shared_ptr<Watch>& watch) {
    connect(socket, &QTcpSocket::bytesWritten, socket, [watch](qint64) {
        watch->received = 0;
        watch->quiet.start();
    });
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, watch] {
        watch->quiet.start();
        if (!watch->refused) {
            watch->received += socket->bytesAvailable();
            if (watch->received <= static_cast<qint64>(maxRequestBytes_)) return;
            watch->refused = true;
            socket->write(closingAnswer(431, "Request Header Fields Too Large"));
            socket->disconnectFromHost();
        }
        socket->readAll();
    });
    connect(socket, &QTcpSocket::stateChanged, socket,
            [socket, watch](QAbstractSocket::SocketState state) {
                if (state != QAbstractSocket::ClosingState || watch->refused ||
                    watch->received == 0 || socket->bytesToWrite() > 0)
                    return;
                watch->refused = true;
                socket->write(closingAnswer(400, "Bad Request"));
            });
}

// Counted from the connections themselves: the HTTP layer may take every signal of a socket it
// lets go of, so no signal can be relied on to tell that one has gone.
int LiveConnections::clients() const {
    return static_cast<int>(std::count_if(sockets_.begin(), sockets_.end(),
                                          [](const auto& entry) { return !entry.first.isNull(); }));
}

void LiveConnections::sweep() {
    for (auto& [socket, watch] : sockets_) {
        if (!socket) continue;
        if (socket->state() == QAbstractSocket::UnconnectedState) {
            socket->deleteLater();
        } else if (watch->quiet.elapsed() > idleMs_) {
            socket->abort();
            socket->deleteLater();
        }
    }
    sockets_.erase(std::remove_if(sockets_.begin(), sockets_.end(),
                                  [](const auto& entry) { return !entry.first; }),
                   sockets_.end());
}

} // namespace vexa
