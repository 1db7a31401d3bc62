#include "platform/scoreboard_server.h"

#include "platform/latin1.h"
#include "platform/reachable_host.h"
#include "race/race_engine.h"

#include <QDateTime>
#include <QTcpSocket>

#include <algorithm>

namespace vexa {

namespace {

WallMoment computerClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate day = now.date();
    return WallMoment{now.time().msecsSinceStartOfDay(), day.year(), day.month(), day.day()};
}

} // namespace

ScoreboardServer::ScoreboardServer(const ScoreboardSources& sources, QObject* parent,
                                   const ScoreboardLimits& limits)
    : QObject(parent), sources_(sources), limits_(limits), wallClock_(computerClock) {
    connect(&server_, &QTcpServer::newConnection, this, &ScoreboardServer::accept);
    heartbeat_.setInterval(HeartbeatMs);
    connect(&heartbeat_, &QTimer::timeout, this, &ScoreboardServer::heartbeat);
}

ScoreboardServer::~ScoreboardServer() {
    server_.close();
    for (QTcpSocket* reader : readers_) {
        reader->disconnect(this);
        reader->abort();
        delete reader;
    }
}

Outcome ScoreboardServer::start(const QString& address, int port) {
    QHostAddress host(QHostAddress::Any);
    const QString wanted = address.trimmed();
    if (!wanted.isEmpty() && !host.setAddress(wanted))
        return Outcome::failure("The scoreboard feed is not served: \"" + fromQt(wanted) +
                                "\" is not a network address");
    if (listening()) return Outcome::success();
    if (port < 0 || port > 65535 || !server_.listen(host, static_cast<quint16>(port)))
        return Outcome::failure("The scoreboard feed is not served: port " + std::to_string(port) +
                                " cannot be opened (" + fromQt(server_.errorString()) + ")");
    // The race as it stands, so that the first reader finds it.
    raceChanged();
    heartbeat_.start();
    return Outcome::success();
}

QString ScoreboardServer::feedAddress() const {
    if (!listening()) return {};
    return QStringLiteral("%1:%2").arg(reachableHost(server_.serverAddress())).arg(port());
}

void ScoreboardServer::raceChanged() {
    if (!listening()) return; // nothing is followed for nobody
    const RaceEngine* engine = sources_.race ? sources_.race() : nullptr;
    if (!engine) return;
    const ScoreboardRace race{engine->values(), engine->panel(), sources_.settings};
    const std::string records = feed_.observe(&race, wallClock_());
    if (!records.empty()) send(records);
}

void ScoreboardServer::heartbeat() {
    send(feed_.heartbeat(wallClock_()));
}

void ScoreboardServer::send(const std::string& records) {
    const QByteArray bytes(records.data(), static_cast<qsizetype>(records.size()));
    // A copy: a reader dropped on the way leaves the list.
    const std::vector<QTcpSocket*> readers = readers_;
    for (QTcpSocket* reader : readers) write(reader, bytes);
}

void ScoreboardServer::write(QTcpSocket* reader, const QByteArray& bytes) {
    if (reader->bytesToWrite() + bytes.size() > limits_.maxBacklogBytes) {
        drop(reader);
        return;
    }
    reader->write(bytes);
    // Into the system at once, not at the event loop's next turn: a passing's records are on
    // the wire before the race engine goes on.
    reader->flush();
}

void ScoreboardServer::accept() {
    while (QTcpSocket* reader = server_.nextPendingConnection()) {
        if (static_cast<int>(readers_.size()) >= limits_.maxReaders) {
            // Every place is taken: the newcomer is closed at once.
            ++refused_;
            reader->abort();
            reader->deleteLater();
            continue;
        }
        reader->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        reader->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        if (limits_.socketBufferBytes > 0)
            reader->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption,
                                    limits_.socketBufferBytes);
        connect(reader, &QTcpSocket::readyRead, reader, [reader] { reader->readAll(); });
        connect(reader, &QTcpSocket::disconnected, this, [this, reader] { forget(reader); });
        readers_.push_back(reader);
        const std::string welcome = feed_.welcome(wallClock_());
        write(reader, QByteArray(welcome.data(), static_cast<qsizetype>(welcome.size())));
    }
}

void ScoreboardServer::drop(QTcpSocket* reader) {
    ++dropped_;
    reader->disconnect(this);
    forget(reader);
    reader->abort();
}

void ScoreboardServer::forget(QTcpSocket* reader) {
    const auto at = std::find(readers_.begin(), readers_.end(), reader);
    if (at == readers_.end()) return;
    readers_.erase(at);
    reader->deleteLater();
}

} // namespace vexa
