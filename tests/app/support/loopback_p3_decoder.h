#pragma once

#include "timing/p3_frame_reader.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vexa::test {

// A P3 decoder on a loopback port. It numbers and keeps every crossing and sends it at once while
// a program is connected; it answers GET_TIME with its clock (microseconds of `wallMs`, the wall
// clock the test keeps) and sends the kept passings again when asked with RESEND.
class LoopbackP3Decoder : public QObject {
  public:
    static constexpr uint32_t Id = 268307;

    LoopbackP3Decoder() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                ++connections;
                link_ = socket;
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(*socket); });
                connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                    if (link_ == socket) link_ = nullptr;
                    socket->deleteLater();
                });
            }
        });
    }

    // The address for the settings' decoder address.
    std::string address() const { return "127.0.0.1:" + std::to_string(server_.serverPort()); }
    bool connected() const { return link_ != nullptr; }
    // The connection breaks, as a cable pulled out.
    void drop() {
        if (link_) link_->abort();
    }

    // The status record the decoder sends every few seconds unasked.
    void status() {
        const std::string frame = P3FrameWriter(P3Tor::Status)
                                      .u16(P3StatusTag::Noise, 39)
                                      .u8(P3StatusTag::Gps, 0)
                                      .u32(P3Tag::DecoderId, Id)
                                      .frame();
        if (link_) link_->write(frame.data(), qint64(frame.size()));
    }

    // `transponder` crosses the loop at the wall clock's `atMs`; returns its passing number.
    uint32_t cross(uint32_t transponder, int64_t atMs) {
        const uint32_t number = FirstNumber + static_cast<uint32_t>(passings_.size());
        passings_.push_back(P3FrameWriter(P3Tor::Passing)
                                .u32(P3PassingTag::PassingNumber, number)
                                .u32(P3PassingTag::Transponder, transponder)
                                .u64(P3PassingTag::RtcTime, static_cast<uint64_t>(atMs) * 1000)
                                .u16(P3PassingTag::Strength, 120)
                                .u16(P3PassingTag::Hits, 9)
                                .u16(P3PassingTag::Flags, 0)
                                .u32(P3Tag::DecoderId, Id)
                                .frame());
        if (link_) link_->write(passings_.back().data(), qint64(passings_.back().size()));
        return number;
    }

    std::function<int64_t()> wallMs;
    int connections = 0;           // made to it so far
    std::vector<P3Resend> resends; // every RESEND asked

  private:
    static constexpr uint32_t FirstNumber = 5001;

    void read(QTcpSocket& socket) {
        const QByteArray bytes = socket.readAll();
        std::string answer;
        reader_.feed(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                     [&](const P3Frame& frame) {
                         if (frame.tor == P3Tor::GetTime) {
                             const auto now = static_cast<uint64_t>(wallMs()) * 1000;
                             answer += P3FrameWriter(P3Tor::GetTime)
                                           .u64(P3TimeTag::RtcTime, now)
                                           .u32(P3Tag::DecoderId, Id)
                                           .frame();
                         } else if (const std::optional<P3Resend> r = readP3Resend(frame)) {
                             resends.push_back(*r);
                             for (uint32_t n = std::max(r->from, FirstNumber);
                                  n <= r->until && n - FirstNumber < passings_.size(); ++n)
                                 answer += passings_[n - FirstNumber];
                         }
                     });
        if (!answer.empty()) socket.write(answer.data(), qint64(answer.size()));
    }

    QTcpServer server_;
    QTcpSocket* link_ = nullptr;
    P3FrameReader reader_;
    std::vector<std::string> passings_; // the frames, by passing number from FirstNumber
};

} // namespace vexa::test
