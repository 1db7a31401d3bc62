#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace vexa::test {

// An AMBrc decoder on a loopback port that sends nothing between passings. It answers the empty
// command with its identity and every numbered command with an acknowledgement, writing each
// command number down; commands 24 and 11 restart its clock, which counts milliseconds of
// `wallMs` (the wall clock the test keeps) from then. A crossing is sent at once while a program
// is connected, with the decoder's time; crossings while none is are lost, as AMBrc keeps none.
class LoopbackAmbrcDecoder : public QObject {
  public:
    static constexpr int Id = 17;

    LoopbackAmbrcDecoder() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
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
    // The decoder's clock now, in seconds since its last restart.
    double clock() const { return static_cast<double>(wallMs() - clockZeroMs) / 1000.0; }

    // `transponder` crossed the loop `secondsAgo` before now; the record goes out now.
    void cross(int transponder, double secondsAgo = 0.0) {
        char record[96];
        std::snprintf(record, sizeof record, "\x01@\t%d\t1\t%d\t%.3f\t9\t80\r\n", Id, transponder,
                      clock() - secondsAgo);
        if (link_) link_->write(record);
    }

    std::function<int64_t()> wallMs;
    int64_t clockZeroMs = 0;   // the wall clock's millisecond of the last restart
    std::vector<int> commands; // every numbered command received, in order; the empty one is 0
    int restarts = 0;

  private:
    void read(QTcpSocket& socket) {
        for (char c : socket.readAll())
            if (c != '\n') received_.push_back(c);
        std::string answer;
        for (size_t end; (end = received_.find('\r')) != std::string::npos;) {
            const std::string line = received_.substr(0, end);
            received_.erase(0, end + 1);
            if (line.empty() || line[0] != '\x01') continue;
            int number = 0;
            int decoder = 0;
            if (line.size() > 1 &&
                std::sscanf(line.c_str() + 1, "?,%d,0,%d,", &decoder, &number) != 2)
                continue;
            commands.push_back(number);
            if (number == 24 || number == 11) {
                clockZeroMs = wallMs();
                ++restarts;
            }
            answer += "\x01$\t" + std::to_string(Id) + "\t0\t" + std::to_string(number) + "\r\n";
        }
        if (!answer.empty()) socket.write(answer.data(), qint64(answer.size()));
    }

    QTcpServer server_;
    QTcpSocket* link_ = nullptr;
    std::string received_;
};

} // namespace vexa::test
