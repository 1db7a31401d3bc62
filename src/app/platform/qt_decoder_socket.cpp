#include "platform/qt_decoder_socket.h"

#include "timing/decoder_address.h"

#include <QTimer>

namespace vexa {

QtDecoderSocket::QtDecoderSocket(QObject* parent) : QObject(parent) {
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        connected_ = true;
        socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &QtDecoderSocket::readAvailable);
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this] { failed(); });
    connect(&socket_, &QTcpSocket::disconnected, this, [this] { failed(); });
}

QtDecoderSocket::~QtDecoderSocket() {
    socket_.disconnect(this);
    socket_.abort();
}

void QtDecoderSocket::open(const std::string& address) {
    close();
    host_ = address;
    active_ = true;
    const unsigned generation = ++generation_;
    const std::optional<DecoderAddress> parsed = parseDecoderAddress(address);
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
