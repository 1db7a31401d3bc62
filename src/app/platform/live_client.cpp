#include "platform/live_client.h"

#include "platform/native_socket.h"

#include <QFile>
#include <QTcpSocket>

#include <algorithm>
#include <chrono>
#include <string_view>

namespace vexa {

int64_t liveServerNowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

namespace {

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 408:
        return "Request Timeout";
    case 431:
        return "Request Header Fields Too Large";
    case 503:
        return "Service Unavailable";
    default:
        return "Error";
    }
}

} // namespace

LiveClient::LiveClient(QTcpSocket* socket, QString address, const LiveLimits& limits,
                       bool holdsPlace, QObject* parent)
    : QObject(parent), socket_(socket), address_(std::move(address)), limits_(limits),
      holdsPlace_(holdsPlace), openedMs_(liveServerNowMs()), waitingSinceMs_(openedMs_),
      progressMs_(openedMs_) {
    socket_->setParent(this);
    // What a client sends ahead of its answers waits in the system's buffers, not in ours.
    socket_->setReadBufferSize(static_cast<qint64>(limits_.requestBytes));
    connect(socket_, &QTcpSocket::readyRead, this, &LiveClient::readMore);
    connect(socket_, &QTcpSocket::bytesWritten, this, [this](qint64) {
        progressMs_ = liveServerNowMs();
        sendMore();
    });
    connect(socket_, &QTcpSocket::disconnected, this, &LiveClient::connectionEnded);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
        if (socket_->state() != QAbstractSocket::ConnectedState) connectionEnded();
    });
}

LiveClient::~LiveClient() {
    socket_->disconnect(this);
}

void LiveClient::start() {
    QMetaObject::invokeMethod(this, &LiveClient::readMore, Qt::QueuedConnection);
}

qint64 LiveClient::heldBytes() const {
    return socket_->bytesToWrite() + socket_->bytesAvailable() + in_.size();
}

void LiveClient::readMore() {
    if (ended_) return;
    // A stream or a closing connection reads no more requests: what comes is thrown away, so
    // that the end of the connection is seen.
    if (phase_ >= Phase::Streaming) {
        socket_->skip(socket_->bytesAvailable());
        return;
    }
    if (phase_ != Phase::Waiting) return; // the next request waits until this one is answered
    // One byte more than a request may hold is enough to know that it is too large.
    const qint64 room = static_cast<qint64>(limits_.requestBytes) + 1 - in_.size();
    if (room > 0 && socket_->bytesAvailable() > 0) {
        if (in_.isEmpty()) requestBegunMs_ = liveServerNowMs();
        in_ += socket_->read(room);
    }
    if (in_.isEmpty()) return;
    const LiveRequest request = readLiveRequest(
        std::string_view(in_.constData(), static_cast<size_t>(in_.size())), limits_.requestBytes);
    switch (request.status) {
    case LiveRequest::Status::Incomplete:
        return;
    case LiveRequest::Status::TooLarge:
        refuse(431, "Request Header Fields Too Large\n");
        return;
    case LiveRequest::Status::Bad:
        refuse(400, QByteArray::fromStdString(request.refusal) + '\n');
        return;
    case LiveRequest::Status::Complete:
        break;
    }
    in_.remove(0, static_cast<qsizetype>(request.length));
    requestBegunMs_ = -1;
    keepAlive_ = request.keepAlive;
    phase_ = Phase::Answering;
    if (onRequest_) onRequest_(*this, request);
}

void LiveClient::writeHead(int status, const QByteArray& type, qint64 length, bool keepAlive) {
    const QByteArray head =
        "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
        "\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(length) +
        "\r\nCache-Control: no-store\r\nConnection: " + (keepAlive ? "keep-alive" : "close") +
        "\r\n\r\n";
    if (socket_->bytesToWrite() == 0) progressMs_ = liveServerNowMs();
    socket_->write(head);
}

void LiveClient::answer(int status, const QByteArray& type, const QByteArray& body) {
    if (phase_ != Phase::Answering || ended_) return;
    writeHead(status, type, body.size(), keepAlive_);
    body_ = body;
    sent_ = 0;
    remaining_ = body.size();
    if (remaining_ == 0)
        endAnswer();
    else
        sendMore();
}

void LiveClient::answerFile(const QByteArray& type, std::unique_ptr<QFile> file) {
    if (phase_ != Phase::Answering || ended_) return;
    const qint64 size = file->size();
    writeHead(200, type, size, keepAlive_);
    file_ = std::move(file);
    remaining_ = size;
    if (remaining_ == 0)
        endAnswer();
    else
        sendMore();
}

void LiveClient::refuse(int status, const QByteArray& text) {
    if (phase_ != Phase::Waiting && phase_ != Phase::Answering) return;
    phase_ = Phase::Answering;
    keepAlive_ = false;
    answer(status, "text/plain", text);
}

// The body goes out as the client takes it: a chunk more only while less than a chunk waits.
void LiveClient::sendMore() {
    if (ended_) return;
    while (remaining_ > 0 && socket_->bytesToWrite() < ChunkBytes) {
        const qint64 n = std::min(ChunkBytes, remaining_);
        const QByteArray chunk = file_ ? file_->read(n) : body_.mid(sent_, n);
        if (chunk.isEmpty()) { // the file shrank under its answer, which cannot be whole now
            drop();
            return;
        }
        if (socket_->bytesToWrite() == 0) progressMs_ = liveServerNowMs();
        socket_->write(chunk);
        sent_ += chunk.size();
        remaining_ -= chunk.size();
        if (remaining_ <= 0) endAnswer();
    }
    if (phase_ == Phase::Finishing && socket_->bytesToWrite() == 0) halfClose();
}

void LiveClient::endAnswer() {
    body_.clear();
    file_.reset();
    sent_ = 0;
    remaining_ = 0;
    if (phase_ != Phase::Answering) return;
    if (!keepAlive_) {
        finishClosing();
        return;
    }
    phase_ = Phase::Waiting;
    waitingSinceMs_ = liveServerNowMs();
    requestBegunMs_ = in_.isEmpty() ? -1 : waitingSinceMs_;
    // Not at once: many requests sent ahead are answered one per turn of the event loop.
    QMetaObject::invokeMethod(this, &LiveClient::readMore, Qt::QueuedConnection);
}

void LiveClient::startStream(const QByteArray& first) {
    if (phase_ != Phase::Answering || ended_) return;
    phase_ = Phase::Streaming;
    if (socket_->bytesToWrite() == 0) progressMs_ = liveServerNowMs();
    socket_->write("HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: "
                   "no-store\r\nConnection: keep-alive\r\n\r\nretry: 2000\n\n" +
                   first);
    socket_->flush();
}

bool LiveClient::sendEvent(const QByteArray& message) {
    if (phase_ != Phase::Streaming || ended_) return false;
    if (socket_->bytesToWrite() > static_cast<qint64>(limits_.backlogBytes)) {
        drop();
        return false;
    }
    // At once, not at the next turn of the event loop: straight to the system while nothing
    // waits before it, the rest (a client behind) as Qt's socket can send it.
    qint64 sent = 0;
    if (socket_->bytesToWrite() == 0) {
        progressMs_ = liveServerNowMs();
        sent = sendNow(socket_->socketDescriptor(), message.constData(), message.size());
    }
    if (sent < message.size()) socket_->write(message.constData() + sent, message.size() - sent);
    return true;
}

void LiveClient::finishClosing() {
    const bool held = holdsPlace();
    phase_ = Phase::Finishing;
    if (held) emit placeFreed(this);
    if (!ended_ && socket_->bytesToWrite() == 0) halfClose();
}

// The client reads the answer, then the end of the stream; what it still sends is read and
// thrown away, so that the connection is not reset under the answer.
void LiveClient::halfClose() {
    if (phase_ == Phase::Closing || ended_) return;
    phase_ = Phase::Closing;
    closingMs_ = liveServerNowMs();
    shutDownSending(socket_->socketDescriptor());
    readMore();
}

void LiveClient::close() {
    if (phase_ >= Phase::Finishing || ended_) return;
    body_.clear();
    file_.reset();
    remaining_ = 0;
    finishClosing();
}

void LiveClient::drop() {
    if (ended_) return;
    socket_->abort();
    connectionEnded();
}

void LiveClient::giveWay() {
    if (phase_ == Phase::Waiting && requestBegun())
        refuse(408, "Request Timeout\n");
    else
        close();
}

void LiveClient::checkTimes(int64_t nowMs) {
    if (ended_) return;
    switch (phase_) {
    case Phase::Waiting:
        if (requestBegun() && nowMs - requestBegunMs_ > limits_.requestMs)
            refuse(408, "Request Timeout\n");
        else if (!requestBegun() && nowMs - waitingSinceMs_ > limits_.idleMs)
            close();
        break;
    case Phase::Answering:
    case Phase::Streaming:
    case Phase::Finishing:
        if (socket_->bytesToWrite() > 0 && nowMs - progressMs_ > limits_.stalledMs) drop();
        break;
    case Phase::Closing:
        if (nowMs - closingMs_ > limits_.lingerMs) drop();
        break;
    }
}

void LiveClient::connectionEnded() {
    if (ended_) return;
    const bool held = holdsPlace();
    ended_ = true;
    phase_ = Phase::Closing;
    body_.clear();
    file_.reset();
    remaining_ = 0;
    if (held) emit placeFreed(this);
    emit finished(this);
}

} // namespace vexa
