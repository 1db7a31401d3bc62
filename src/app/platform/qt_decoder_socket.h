#pragma once

#include "ports/decoder_socket.h"

#include <QObject>
#include <QTcpSocket>

#include <functional>
#include <string>
#include <string_view>

namespace vexa {

// The TCP connection to a decoder (AMBrc or P3) on QTcpSocket. Received bytes are handed on as
// they arrive. A connection that cannot be made calls `onError` (the socket's own message is not
// shown); an established connection that breaks hands on the bytes still buffered and calls
// `onLost`. TCP keepalive is on, probing after a few idle seconds where the platform lets it be
// set, so that a peer that vanished without a reset is noticed by the system too.
class QtDecoderSocket : public QObject, public DecoderSocket {
    Q_OBJECT
  public:
    explicit QtDecoderSocket(QObject* parent = nullptr);
    ~QtDecoderSocket() override;

    void onBytes(std::function<void(std::string_view)> f) { onBytes_ = std::move(f); }
    void onError(std::function<void()> f) { onError_ = std::move(f); }
    void onLost(std::function<void()> f) { onLost_ = std::move(f); }

    void open(const std::string& address, uint16_t defaultPort) override;
    void close() override;
    bool active() const override { return active_; }
    std::string host() const override { return host_; }
    void write(const std::string& bytes) override;

    bool connected() const { return connected_; }

  private:
    void readAvailable();
    void failed();

    QTcpSocket socket_;
    std::string host_;
    bool active_ = false;
    bool connected_ = false;
    unsigned generation_ = 0; // opens so far; a late report of an earlier one is dropped
    std::function<void(std::string_view)> onBytes_;
    std::function<void()> onError_;
    std::function<void()> onLost_;
};

} // namespace vexa
