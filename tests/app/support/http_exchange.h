#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>
#include <QtTest>

#if defined(Q_OS_UNIX)
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vexa::test {

struct Reply {
    int status = 0;
    QByteArray headers;
    QByteArray body;
};

// One HTTP request to a server of this process on loopback, on a connection of its own (from the
// loopback address `from`, 127.0.0.1 when none is given); the answer as far as it came within
// five seconds (the event loop runs meanwhile).
inline Reply exchange(quint16 port, const QByteArray& request, const QHostAddress& from = {}) {
    QTcpSocket socket;
    if (!from.isNull() && !socket.bind(from)) return {};
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write(request);
    QByteArray in;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        QTest::qWait(2);
        in += socket.readAll();
        const qsizetype end = in.indexOf("\r\n\r\n");
        if (end >= 0) {
            const QByteArray head = in.left(end).toLower();
            const qsizetype at = head.indexOf("content-length:");
            if (at >= 0) {
                const qsizetype lineEnd = head.indexOf("\r\n", at);
                const qsizetype length =
                    head.mid(at + 15, lineEnd < 0 ? -1 : lineEnd - at - 15).trimmed().toLongLong();
                if (in.size() >= end + 4 + length) break;
            }
        }
        if (socket.state() == QAbstractSocket::UnconnectedState) break;
    }
    Reply reply;
    const qsizetype end = in.indexOf("\r\n\r\n");
    reply.headers = end < 0 ? in : in.left(end);
    reply.body = end < 0 ? QByteArray() : in.mid(end + 4);
    const QList<QByteArray> statusLine = reply.headers.split(' ');
    if (statusLine.size() > 1) reply.status = statusLine[1].toInt();
    return reply;
}

inline Reply get(quint16 port, const QByteArray& target, const QHostAddress& from = {}) {
    return exchange(port, "GET " + target + " HTTP/1.1\r\nHost: localhost\r\n\r\n", from);
}

// Whether this system can tell a connection reset from a clean close (a plain socket of its
// own, see readToTheEnd).
#if defined(Q_OS_UNIX)
inline constexpr bool TellsResets = true;
#else
inline constexpr bool TellsResets = false;
#endif

// What a server that is not served by this thread sends on a connection of its own after
// `request`, until it closes the connection (five seconds at most), and whether it closed it by
// a reset rather than by the end of its stream. Like a slow phone, the client sends its request
// only once the server has had time to answer at once, and reads after that.
struct Ending {
    QByteArray received;
    bool closed = false;
    bool reset = false;
};
inline Ending readToTheEnd(quint16 port, const QByteArray& request) {
    Ending end;
#if defined(Q_OS_UNIX)
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd);
        return end;
    }
    QThread::msleep(200);
#if defined(MSG_NOSIGNAL)
    const int flags = MSG_NOSIGNAL; // a reset connection is an answer here, not a signal
#else
    const int flags = 0;
#endif
    if (::send(fd, request.constData(), static_cast<size_t>(request.size()), flags) < 0) {
        end.reset = errno == ECONNRESET || errno == EPIPE;
        ::close(fd);
        return end;
    }
    QThread::msleep(300);
    QElapsedTimer waited;
    waited.start();
    char buffer[4096];
    while (waited.elapsed() < 5000) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            end.received.append(buffer, n);
            continue;
        }
        end.closed = true;
        end.reset = n < 0;
        break;
    }
    // A reset that came after the end of the stream is only kept as the socket's error.
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error != 0)
        end.reset = true;
    ::close(fd);
#else
    Q_UNUSED(port);
    Q_UNUSED(request);
#endif
    return end;
}

} // namespace vexa::test
