#pragma once

#include "model/outcome.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>

class QTcpSocket;

namespace vexa {

class LiveFeed;
class LiveConnections;

// The live results server on the track's network: the live page, the JSON feed and the event
// stream, and the pages of the event's HTML folder. It runs on the program's one event loop and
// only reads: no request changes anything. After a redraw notice of the race engine the feed
// takes the new passings at once; the clients get the race at the next turn of the event loop,
// once the engine has finished counting.
class LiveServer : public QAbstractHttpServer {
    Q_OBJECT
  public:
    explicit LiveServer(LiveFeed& feed, QObject* parent = nullptr);
    ~LiveServer() override;

    // Listens on the address (empty: every interface) and port (0: any free one); a failure
    // says why in the operator's words and leaves the server off.
    Outcome start(const QString& address, int port);
    bool listening() const;
    quint16 port() const;
    // The address a phone opens, "http://192.168.1.5:8080/"; empty while not listening.
    QString pageAddress() const;

    // The race changed (a passing, the clock, a set-up): see the class comment.
    void raceChanged();

    int clients() const;
    int streams() const { return static_cast<int>(streams_.size()); }

    // The live page, as the server sends it.
    static QByteArray livePage();

  signals:
    // The race was written to every stream.
    void raceSent();

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

  private:
    void openStream(const QHttpServerRequest& request, QTcpSocket* socket);
    void sendHtmlFile(const QHttpServerRequest& request, QTcpSocket* socket, const QString& name);
    void pushRace();
    void writeToStreams(const QByteArray& bytes);

    LiveFeed& feed_;
    LiveConnections* connections_;
    QList<QPointer<QTcpSocket>> streams_;
    bool pushPending_ = false;
    QTimer keepAlive_;
};

} // namespace vexa
