#include "platform/qt_decoder_socket.h"

#include "timing/decoder_address.h"

#include <QTimer>

#if defined(Q_OS_LINUX)
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace vexa {

namespace {

// Keepalive probes after 5 idle seconds, every 2 seconds, 3 of them: a dead peer is noticed in
// about 11 seconds. Only where the system lets a program choose; elsewhere its own timing holds.
void tuneKeepalive([[maybe_unused]] qintptr descriptor) {
#if defined(Q_OS_LINUX)
    const int idle = 5, interval = 2, count = 3;
    const auto fd = static_cast<int>(descriptor);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
#endif
}

} // namespace

QtDecoderSocket::QtDecoderSocket(QObject* parent) : QObject(parent) {
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        connected_ = true;
        socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket_.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        tuneKeepalive(socket_.socketDescriptor());
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &QtDecoderSocket::readAvailable);
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this] { failed(); });
    connect(&socket_, &QTcpSocket::disconnected, this, [this] { failed(); });
}

QtDecoderSocket::~QtDecoderSocket() {
    socket_.disconnect(this);
    socket_.abort();
}

void QtDecoderSocket::open(const std::string& address, uint16_t defaultPort) {
    close();
    host_ = address;
    active_ = true;
    const unsigned generation = ++generation_;
    const std::optional<DecoderAddress> parsed = parseDecoderAddress(address, defaultPort);
    if (!parsed) {
        // Reported like any failed connection, once the caller has finished its set-up.
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == generation_) failed();
        });
        return;
    }
    socket_.connectToHost(QString::fromLatin1(parsed->host.c_str()), parsed->port);
}

void QtDecoderSocket::close() {
    active_ = false;
    connected_ = false;
    if (socket_.state() == QAbstractSocket::ConnectedState) socket_.flush();
    socket_.abort();
}

void QtDecoderSocket::write(const std::string& bytes) {
    if (active_) socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtDecoderSocket::readAvailable() {
    const QByteArray data = socket_.readAll();
    if (!data.isEmpty() && onBytes_)
        onBytes_(std::string_view(data.constData(), static_cast<size_t>(data.size())));
}

void QtDecoderSocket::failed() {
    if (!active_) return;
    const bool wasConnected = connected_;
    if (wasConnected) readAvailable();
    active_ = false;
    connected_ = false;
    socket_.abort();
    if (wasConnected) {
        if (onLost_) onLost_();
    } else if (onError_) {
        onError_();
    }
}

} // namespace vexa
