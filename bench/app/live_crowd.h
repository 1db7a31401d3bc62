#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpSocket>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace vexa::bench {

// Clients of the live results server on a thread of their own, as phones are not the program:
// their reading is neither counted as the program's work nor waits for it.
class LiveCrowd {
  public:
    LiveCrowd() {
        home_->moveToThread(&thread_);
        thread_.start();
    }
    ~LiveCrowd() {
        run([this] { sockets_.clear(); });
        thread_.quit();
        thread_.wait();
    }
    LiveCrowd(const LiveCrowd&) = delete;
    LiveCrowd& operator=(const LiveCrowd&) = delete;

    // Phones that follow the race; `onEvent(phone)` runs on the crowd's thread each time a phone
    // has read a whole race message.
    void follow(quint16 port, int phones, std::function<void(int)> onEvent = {}) {
        run([=, this] {
            for (int i = 0; i < phones; ++i) {
                QTcpSocket* s = open(port, "GET /api/events HTTP/1.1\r\nHost: bench\r\n\r\n");
                auto in = std::make_shared<QByteArray>();
                QObject::connect(s, &QTcpSocket::readyRead, s, [=, this] {
                    *in += s->readAll();
                    while (true) {
                        const qsizetype end = in->indexOf("\n\n");
                        if (end < 0) break;
                        const bool race = in->left(end).contains("event: race");
                        in->remove(0, end + 2);
                        if (!race) continue;
                        ++events;
                        if (onEvent) onEvent(i);
                    }
                });
            }
        });
    }

    // Clients that each ask three times for `path`, one request after the other; the readers
    // (every other one) take everything as it comes and ask again for each file they have read,
    // the others read nothing.
    void askForFile(quint16 port, const QByteArray& path, qint64 fileSize, int clients) {
        run([=, this] {
            const QByteArray get = "GET " + path + " HTTP/1.1\r\nHost: bench\r\n\r\n";
            for (int i = 0; i < clients; ++i) {
                QTcpSocket* s = open(port, get + get + get);
                if (i % 2 == 0) {
                    s->setReadBufferSize(256 * 1024); // the crowd's memory stays small
                    auto sinceAsked = std::make_shared<qint64>(0);
                    QObject::connect(s, &QTcpSocket::readyRead, s, [=, this] {
                        const qint64 n = s->readAll().size();
                        fileBytes += n;
                        *sinceAsked += n;
                        for (; *sinceAsked >= fileSize; *sinceAsked -= fileSize) s->write(get);
                    });
                } else {
                    s->setReadBufferSize(1);
                }
            }
        });
    }

    std::atomic<int> events{0};
    std::atomic<qint64> fileBytes{0};

  private:
    void run(const std::function<void()>& work) {
        QMetaObject::invokeMethod(home_.get(), work, Qt::BlockingQueuedConnection);
    }
    QTcpSocket* open(quint16 port, const QByteArray& request) {
        sockets_.push_back(std::make_unique<QTcpSocket>());
        QTcpSocket* s = sockets_.back().get();
        s->connectToHost(QHostAddress::LocalHost, port);
        s->write(request);
        return s;
    }

    QThread thread_;
    std::unique_ptr<QObject> home_ = std::make_unique<QObject>();
    std::vector<std::unique_ptr<QTcpSocket>> sockets_;
};

} // namespace vexa::bench
