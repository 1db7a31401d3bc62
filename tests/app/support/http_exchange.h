#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QtTest>

namespace vexa::test {

struct Reply {
    int status = 0;
    QByteArray headers;
    QByteArray body;
};

// One HTTP request to a server of this process on loopback, on a connection of its own; the
// answer as far as it came within five seconds (the event loop runs meanwhile).
inline Reply exchange(quint16 port, const QByteArray& request) {
    QTcpSocket socket;
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

inline Reply get(quint16 port, const QByteArray& target) {
    return exchange(port, "GET " + target + " HTTP/1.1\r\nHost: localhost\r\n\r\n");
}

} // namespace vexa::test
