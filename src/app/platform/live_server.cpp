#include "platform/live_server.h"

#include "live/live_feed.h"
#include "live/live_request.h"
#include "live_page.h"
#include "platform/latin1.h"
#include "platform/live_connections.h"

#include <QFile>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QNetworkInterface>
#include <QTcpSocket>
#include <QUrlQuery>
#if defined(QT_WEBSOCKETS_LIB)
#include <QWebSocket>
#endif

namespace vexa {

namespace {

using Status = QHttpServerResponder::StatusCode;

constexpr int KeepAliveMs = 15000;
constexpr qint64 MaxServedFileBytes = 16 * 1024 * 1024;

QByteArray bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray contentType(const QString& name) {
    const QString lower = name.toLower();
    if (lower.endsWith(".html") || lower.endsWith(".htm"))
        return "text/html; charset=iso-8859-1"; // the event's pages are Latin-1
    if (lower.endsWith(".css")) return "text/css";
    if (lower.endsWith(".png")) return "image/png";
    if (lower.endsWith(".jpg") || lower.endsWith(".jpeg")) return "image/jpeg";
    if (lower.endsWith(".gif")) return "image/gif";
    if (lower.endsWith(".txt")) return "text/plain; charset=iso-8859-1";
    return "application/octet-stream";
}

void answer(QHttpServerResponder&& responder, const QByteArray& body, const QByteArray& type,
            Status status = Status::Ok) {
    responder.write(body, {{"Content-Type", type}, {"Cache-Control", "no-store"}}, status);
}

void badRequest(QHttpServerResponder&& responder, const char* why) {
    answer(std::move(responder), QByteArray(why) + "\n", "text/plain", Status::BadRequest);
}

QString firstNetworkAddress() {
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && !a.isLinkLocal())
            return a.toString();
    return QStringLiteral("localhost");
}

} // namespace

LiveServer::LiveServer(LiveFeed& feed, QObject* parent)
    : QAbstractHttpServer(parent), feed_(feed),
      connections_(new LiveConnections(MaxLiveClients, MaxLiveRequestBytes, this)) {
#if defined(QT_WEBSOCKETS_LIB)
    // The event stream is the feed; a WebSocket asked for is closed at once, so that it holds
    // no client's place.
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, [this] {
        while (hasPendingWebSocketConnections()) {
            QWebSocket* socket = nextPendingWebSocketConnection().release();
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
            socket->deleteLater();
        }
    });
#endif
    keepAlive_.setInterval(KeepAliveMs);
    connect(&keepAlive_, &QTimer::timeout, this, [this] { writeToStreams(": still here\n\n"); });
}

LiveServer::~LiveServer() = default;

Outcome LiveServer::start(const QString& address, int port) {
    QHostAddress host(QHostAddress::Any);
    const QString wanted = address.trimmed();
    if (!wanted.isEmpty() && !host.setAddress(wanted))
        return Outcome::failure("Live results are not served: \"" + fromQt(wanted) +
                                "\" is not a network address");
    if (port < 0 || port > 65535 || !connections_->listen(host, static_cast<quint16>(port)))
        return Outcome::failure("Live results are not served: port " + std::to_string(port) +
                                " cannot be opened (" + fromQt(connections_->errorString()) + ")");
    bind(connections_);
    keepAlive_.start();
    return Outcome::success();
}

bool LiveServer::listening() const {
    return connections_->isListening();
}

quint16 LiveServer::port() const {
    return connections_->serverPort();
}

QString LiveServer::pageAddress() const {
    if (!listening()) return {};
    const QHostAddress bound = connections_->serverAddress();
    const bool everyInterface = bound == QHostAddress::Any || bound == QHostAddress::AnyIPv4 ||
                                bound == QHostAddress::AnyIPv6;
    QString host = everyInterface ? firstNetworkAddress() : bound.toString();
    if (host.contains(':')) host = '[' + host + ']';
    return QStringLiteral("http://%1:%2/").arg(host).arg(port());
}

int LiveServer::clients() const {
    return connections_->clients();
}

QByteArray LiveServer::livePage() {
    return QByteArray::fromRawData(LivePageHtml, sizeof LivePageHtml - 1);
}

void LiveServer::raceChanged() {
    if (!listening()) return; // nothing is followed for nobody
    feed_.raceChanged();
    if (pushPending_) return;
    pushPending_ = true;
    QTimer::singleShot(0, this, &LiveServer::pushRace);
}

void LiveServer::pushRace() {
    pushPending_ = false;
    if (!streams_.isEmpty()) writeToStreams(bytes(feed_.raceEvent()));
    emit raceSent();
}

// A client whose unsent data has grown past the backlog limit cannot follow the race and is
// dropped, so that it holds neither memory nor the others back.
void LiveServer::writeToStreams(const QByteArray& data) {
    for (auto it = streams_.begin(); it != streams_.end();) {
        QTcpSocket* socket = *it;
        if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
            it = streams_.erase(it);
            continue;
        }
        if (socket->bytesToWrite() > static_cast<qint64>(MaxLiveBacklogBytes)) {
            socket->abort();
            it = streams_.erase(it);
            continue;
        }
        socket->write(data);
        ++it;
    }
}

bool LiveServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    if (request.method() != QHttpServerRequest::Method::Get) {
        badRequest(makeResponder(request, socket), "Only GET requests are served");
        return true;
    }
    const QString path = request.url().path(QUrl::FullyDecoded);
    if (path == QLatin1String("/") || path == QLatin1String("/index.html")) {
        answer(makeResponder(request, socket), livePage(), "text/html; charset=utf-8");
    } else if (path == QLatin1String("/api/race")) {
        answer(makeResponder(request, socket), bytes(feed_.raceJson()), "application/json");
    } else if (path == QLatin1String("/api/programme")) {
        answer(makeResponder(request, socket), bytes(feed_.programmeJson()), "application/json");
    } else if (path == QLatin1String("/api/results")) {
        const QString round = request.query().queryItemValue(QStringLiteral("round"));
        const auto json = feed_.resultsJson(round.toStdString());
        if (json)
            answer(makeResponder(request, socket), bytes(*json), "application/json");
        else
            badRequest(makeResponder(request, socket), "round must be a number from 1 to 20");
    } else if (path == QLatin1String("/api/events")) {
        openStream(request, socket);
    } else if (path.startsWith(QLatin1String("/html/"))) {
        sendHtmlFile(request, socket, path.mid(6));
    } else {
        return false;
    }
    return true;
}

void LiveServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    answer(makeResponder(request, socket), "Not found\n", "text/plain", Status::NotFound);
}

void LiveServer::openStream(const QHttpServerRequest& request, QTcpSocket* socket) {
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(Status::Ok);
    responder.writeHeaders({{"Content-Type", "text/event-stream"},
                            {"Cache-Control", "no-store"},
                            {"Connection", "keep-alive"}});
    responder.writeBody("retry: 2000\n\n" + bytes(feed_.raceEvent()));
    streams_.append(QPointer<QTcpSocket>(socket));
}

void LiveServer::sendHtmlFile(const QHttpServerRequest& request, QTcpSocket* socket,
                              const QString& name) {
    const auto file = feed_.htmlFile(name.toStdString());
    if (!file) {
        badRequest(makeResponder(request, socket), "That path is not served");
        return;
    }
    const QString local = QString::fromStdString(file->string());
    QFile page(local);
    if (!QFileInfo(local).isFile() || page.size() > MaxServedFileBytes ||
        !page.open(QIODevice::ReadOnly)) {
        missingHandler(request, socket);
        return;
    }
    answer(makeResponder(request, socket), page.readAll(), contentType(name));
}

} // namespace vexa
