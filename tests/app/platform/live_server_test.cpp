// The live results server on loopback, fed by a race run by the engine in virtual time: what a
// client gets during the race, the event stream, and the bounds (clients and their places,
// request size and deadline, paths, memory, slow readers), while the program's timers keep time.

#include "files/event_files.h"
#include "live/live_feed.h"
#include "live/live_request.h"
#include "platform/live_client.h"
#include "platform/live_server.h"
#include "platform/process_memory.h"
#include "platform/qt_timers.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/live_results.h"
#include "session/race_view_bridge.h"
#include "station/race_station.h"
#include "support/http_exchange.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <fstream>
#include <memory>
#include <vector>

using namespace vexa;
using vexa::test::exchange;
using vexa::test::get;
using vexa::test::Reply;

namespace {

// A connection that asks for the event stream.
std::unique_ptr<QTcpSocket> openStream(quint16 port) {
    auto s = std::make_unique<QTcpSocket>();
    s->connectToHost(QHostAddress::LocalHost, port);
    s->write("GET /api/events HTTP/1.1\r\nHost: x\r\n\r\n");
    return s;
}

// A client from another loopback address than 127.0.0.1 (Linux answers on all of 127/8).
bool canBindTo(const QHostAddress& address) {
    QTcpSocket probe;
    return probe.bind(address);
}

} // namespace

class LiveServerTest : public QObject {
    Q_OBJECT

  private:
    // A program with two heats in class "Buggy", a race engine on virtual time whose notices go
    // to the server, and the server on a free loopback port.
    void makeProgram(bool withEventFolder = false, const LiveLimits& limits = {}) {
        raceEngine.reset(); // before the program and the time it runs on
        program = std::make_unique<Program>();
        ProgSettings& s = program->settings;
        s.eventTitle = "Club Day";
        s.classes[1].name = "Buggy";
        s.classes[1].qualMinutes = 1;
        s.classes[1].tenSecCountdown = false;
        s.heatMass = true;
        for (int id = 1; id <= 3; ++id) {
            program->event.cpts[id].name = "Driver " + std::to_string(id);
            program->event.cpts[id].classno = 1;
        }
        program->event.heats.setSlotText(1, 1, "1");
        program->event.heats.setSlotText(1, 2, "2");
        program->event.heats.setSlotText(2, 1, "3");
        if (withEventFolder) {
            const std::filesystem::path dir = folder.path().toStdString();
            program->paths = EventPaths::in(dir / "Club Day");
            std::filesystem::create_directories(program->paths->dir / "html");
            std::ofstream(program->paths->dir / "html" / "h1r1.html") << "<html>heat 1</html>";
            std::ofstream(program->paths->dir / "eventfile.qdd") << "not for the network";
        }
        clock = std::make_unique<VirtualClock>();
        scheduler = std::make_unique<VirtualScheduler>(*clock);
        ports = std::make_unique<RecordingPorts>(*clock);
        bridge = std::make_unique<RaceViewBridge>();
        raceEngine = std::make_unique<RaceEngine>(
            raceData(*program),
            RacePorts{*clock, *scheduler, *ports, *ports, *ports, *ports, *ports, bridge.get()});
        feed = std::make_unique<LiveFeed>(LiveSources{program->settings, program->event,
                                                      program->paths,
                                                      [this] { return raceEngine.get(); }});
        server = std::make_unique<LiveServer>(*feed, nullptr, limits);
        followRace(*server, *bridge);
        const Outcome started = server->start(QStringLiteral("127.0.0.1"), 0);
        QVERIFY2(started.ok, started.message.c_str());
        port = server->port();
    }

    void startRace() {
        RaceEngine& engine = *raceEngine;
        engine.openRaceScreen();
        while (engine.values().RaceState != RaceStates::Running && scheduler->fireNext()) {
        }
        QCOMPARE(engine.values().RaceState, RaceStates::Running);
        raceOrigin = clock->milliseconds();
    }

    void keyAt(int raceSeconds, char key) {
        scheduler->advanceTo(raceOrigin + raceSeconds * 1000LL);
        raceEngine->manualKey(key);
    }

    QTemporaryDir folder;
    std::unique_ptr<Program> program;
    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<VirtualScheduler> scheduler;
    std::unique_ptr<RecordingPorts> ports;
    std::unique_ptr<RaceViewBridge> bridge;
    std::unique_ptr<RaceEngine> raceEngine;
    std::unique_ptr<LiveFeed> feed;
    std::unique_ptr<LiveServer> server;
    quint16 port = 0;
    int64_t raceOrigin = 0;

  private slots:
    void cleanup() {
        server.reset();
        raceEngine.reset();
        program.reset();
    }

    void feedDuringARace() {
        makeProgram();
        startRace();
        keyAt(20, '2');
        keyAt(22, '1');
        keyAt(40, '2');
        const Reply race = get(port, "/api/race");
        QCOMPARE(race.status, 200);
        QVERIFY(race.headers.toLower().contains("content-type: application/json"));
        QVERIFY2(race.body.contains(R"("state":"running","race":1,"round":1,"kind":"heat")"),
                 race.body);
        QVERIFY2(race.body.contains(R"("rows":[{"pos":"1","car":"2","name":"Driver 2","laps":"2")"),
                 race.body);
        QVERIFY2(race.body.contains(R"("passings":[{"car":2,"name":"Driver 2","lap":2,)"),
                 race.body);

        const Reply programme = get(port, "/api/programme");
        QCOMPARE(programme.status, 200);
        QVERIFY2(programme.body.contains(R"({"race":1,"info":"","next":true,"running":true,)"),
                 programme.body);
        QVERIFY2(programme.body.contains(R"({"car":1,"name":"Driver 3","class":"Buggy"})"),
                 programme.body);

        const Reply results = get(port, "/api/results?round=1");
        QCOMPARE(results.status, 200);
        QVERIFY(results.body.contains(R"("round":1,"classes":[)"));
        for (const char* bad : {"/api/results", "/api/results?round=0", "/api/results?round=x",
                                "/api/results?round=21"})
            QCOMPARE(get(port, bad).status, 400);
        QCOMPARE(get(port, "/nothing-here").status, 404);
        QCOMPARE(exchange(port, "POST /api/race HTTP/1.1\r\nHost: x\r\nContent-Length: 2\r\n\r\n{}")
                     .status,
                 400);
        // Nothing a client asked changed the race.
        QCOMPARE(raceEngine->values().race_drivers[1].lapcount, 2);
        QCOMPARE(raceEngine->values().RaceState, RaceStates::Running);
    }

    void theStreamCarriesEachPassingAfterItIsCounted() {
        makeProgram();
        startRace();
        QTcpSocket stream;
        stream.connectToHost(QHostAddress::LocalHost, port);
        stream.write("GET /api/events HTTP/1.1\r\nHost: x\r\nAccept: text/event-stream\r\n\r\n");
        QByteArray got;
        QTRY_VERIFY_WITH_TIMEOUT((got += stream.readAll()).contains("event: race\ndata: {"), 5000);
        QVERIFY(got.startsWith("HTTP/1.1 200"));
        QVERIFY(got.toLower().contains("content-type: text/event-stream"));
        QTRY_COMPARE(server->streams(), 1);

        QSignalSpy sent(server.get(), &LiveServer::raceSent);
        keyAt(20, '1');
        // The engine has counted the lap before anything is sent: the clients get it at the
        // next turn of the event loop.
        QCOMPARE(raceEngine->values().race_drivers[0].lapcount, 1);
        QCOMPARE(sent.count(), 0);
        got.clear();
        QTRY_VERIFY_WITH_TIMEOUT(
            (got += stream.readAll())
                .contains(R"("rows":[{"pos":"1","car":"1","name":"Driver 1","laps":"1")"),
            5000);
        QVERIFY(sent.count() >= 1);
        QVERIFY2(got.contains(R"("passings":[{"car":1,"name":"Driver 1","lap":1,)"), got);
    }

    void theRefusedClientReadsIts503AndAFreedPlaceIsTakenAtOnce() {
        makeProgram();
        std::vector<std::unique_ptr<QTcpSocket>> streams;
        for (int i = 0; i < MaxLiveClients; ++i) streams.push_back(openStream(port));
        QTRY_COMPARE_WITH_TIMEOUT(server->streams(), MaxLiveClients, 10000);
        QCOMPARE(server->clients(), MaxLiveClients);

        // Every place follows the race from this one address: the next is refused, reads the
        // whole answer and then the end of the connection, not a reset.
        if (test::TellsResets) {
            const test::Ending refused =
                test::readToTheEnd(port, "GET /api/race HTTP/1.1\r\nHost: x\r\n\r\n");
            QVERIFY2(refused.received.startsWith("HTTP/1.1 503 Service Unavailable\r\n"),
                     refused.received);
            QVERIFY2(refused.received.endsWith("\r\n\r\nService Unavailable\n"), refused.received);
            QVERIFY(refused.closed);
            QVERIFY(!refused.reset);
        } else {
            QCOMPARE(get(port, "/api/race").status, 503);
        }
        QCOMPARE(server->clients(), MaxLiveClients);

        // One leaves: its place is free as soon as the server sees it go.
        streams.front()->disconnectFromHost();
        streams.erase(streams.begin());
        QTRY_COMPARE(server->clients(), MaxLiveClients - 1);
        QCOMPARE(get(port, "/api/race").status, 200);
    }

    void placesAreSharedBetweenAddresses() {
        const QHostAddress phone(QStringLiteral("127.0.0.2"));
        if (!canBindTo(phone)) QSKIP("no second loopback address here");
        LiveLimits limits;
        limits.clients = 10;
        makeProgram(false, limits);
        // Ten connections of one address trickle requests they never end.
        std::vector<std::unique_ptr<QTcpSocket>> tricklers;
        for (int i = 0; i < limits.clients; ++i) {
            tricklers.push_back(std::make_unique<QTcpSocket>());
            tricklers.back()->connectToHost(QHostAddress::LocalHost, port);
            tricklers.back()->write("GET /api/race HTTP/1.1\r\nX-");
            QTRY_COMPARE(server->clients(), i + 1);
        }
        // A phone at another address is served: it takes the place of the request that has
        // waited longest, which is told 408 (the server's thread may wait long for a core when
        // the machine is busy, hence the long bound).
        QCOMPARE(get(port, "/api/race", phone).status, 200);
        QByteArray told;
        QTRY_VERIFY_WITH_TIMEOUT(
            (told += tricklers[0]->readAll()).startsWith("HTTP/1.1 408 Request Timeout"), 20000);
        QTRY_COMPARE(server->clients(), limits.clients - 1); // the phone has gone too
        // Full again; now a phone behind the same address takes the next longest waiting.
        tricklers.push_back(std::make_unique<QTcpSocket>());
        tricklers.back()->connectToHost(QHostAddress::LocalHost, port);
        tricklers.back()->write("GET /api/race HTTP/1.1\r\nX-");
        QTRY_COMPARE(server->clients(), limits.clients);
        QCOMPARE(get(port, "/api/race").status, 200);
        told.clear();
        QTRY_VERIFY_WITH_TIMEOUT(
            (told += tricklers[1]->readAll()).startsWith("HTTP/1.1 408 Request Timeout"), 20000);
        QCOMPARE(tricklers[2]->bytesAvailable(), 0);
        QCOMPARE(tricklers[2]->state(), QAbstractSocket::ConnectedState);
        tricklers.clear();
        QTRY_COMPARE(server->clients(), 0);

        // Ten streams of one address: one more of it is refused, one of another address takes
        // the oldest stream's place.
        std::vector<std::unique_ptr<QTcpSocket>> streams;
        for (int i = 0; i < limits.clients; ++i) {
            streams.push_back(openStream(port));
            QTRY_COMPARE(server->streams(), i + 1);
        }
        QCOMPARE(get(port, "/api/race").status, 503);
        QCOMPARE(get(port, "/api/race", phone).status, 200);
        QTRY_COMPARE(streams.front()->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(streams.back()->state(), QAbstractSocket::ConnectedState);
    }

    void aTricklingRequestIsCutAtTheDeadlineWhileOthersAreServed() {
        LiveLimits limits;
        limits.requestMs = 500;
        makeProgram(false, limits);
        QTcpSocket trickler;
        trickler.connectToHost(QHostAddress::LocalHost, port);
        QTRY_COMPARE(trickler.state(), QAbstractSocket::ConnectedState);
        const QByteArray request = "GET /api/race HTTP/1.1\r\nHost: localhost\r\n"
                                   "X-Slow: one byte at a time for five seconds\r\n\r\n";
        QByteArray got;
        int served = 0;
        for (qsizetype i = 0;
             i < request.size() && trickler.state() == QAbstractSocket::ConnectedState; ++i) {
            trickler.write(request.mid(i, 1));
            QTest::qWait(50);
            got += trickler.readAll();
            if (i % 4 == 0 && get(port, "/api/race").status == 200) ++served;
        }
        QTRY_COMPARE(trickler.state(), QAbstractSocket::UnconnectedState);
        got += trickler.readAll();
        QVERIFY2(got.startsWith("HTTP/1.1 408 Request Timeout\r\n"), got);
        QVERIFY2(got.endsWith("Request Timeout\n"), got);
        QVERIFY(served >= 2); // the others were served all along
        QCOMPARE(get(port, "/api/race").status, 200);
    }

    void onlyWellFormedHttpIsRead() {
        makeProgram();
        struct Case {
            const char* request;
            const char* refusal;
        };
        const Case cases[] = {
            {"GET /api/race HTTP/1.1\r\nHost: x\r\nContent-Length: 1\r\nContent-Length: 2\r\n"
             "\r\nab",
             "Conflicting Content-Length headers"},
            {"GET /api/race HTTP/9.9\r\nHost: x\r\n\r\n",
             "Only HTTP/1.0 and HTTP/1.1 requests are served"},
            {"GET /api/race HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n",
             "A body in chunks is not read"},
        };
        for (const Case& c : cases) {
            const Reply r = exchange(port, c.request);
            QCOMPARE(r.status, 400);
            QCOMPARE(r.body, QByteArray(c.refusal) + "\n");
        }
        // The same length twice, and HTTP/1.0, are read.
        QCOMPARE(exchange(port, "GET /api/race HTTP/1.1\r\nContent-Length: 0\r\n"
                                "Content-Length: 0\r\n\r\n")
                     .status,
                 200);
        QCOMPARE(exchange(port, "GET /api/race HTTP/1.0\r\n\r\n").status, 200);
    }

    void bigFilesAskedForAndNotReadStayWithinTheMemoryBoundAndTheTimersKeepTime() {
        makeProgram(true);
        const std::filesystem::path picture = program->paths->dir / "html" / "driver.jpg";
        QByteArray content(5 * 1024 * 1024, '\0');
        for (qsizetype i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 % 251);
        {
            std::ofstream out(picture, std::ios::binary);
            out.write(content.constData(), content.size());
        }
        // A timer of the race, as the program runs them, every 50 ms.
        QtScheduler timers;
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        qint64 latest = 0; // the latest it fired
        timers.startTimer(50, true, [&] {
            const qint64 now = clock.elapsed();
            latest = std::max(latest, now - last - 50);
            last = now;
        });
        const size_t before = residentMemoryBytes();
        size_t most = before;

        // 50 clients ask for the 5 MB file four times each, one request after the other on the
        // same connection, and read nothing.
        const int Clients = 50;
        std::vector<std::unique_ptr<QTcpSocket>> greedy;
        for (int i = 0; i < Clients; ++i) {
            greedy.push_back(std::make_unique<QTcpSocket>());
            greedy.back()->setReadBufferSize(1024);
            greedy.back()->connectToHost(QHostAddress::LocalHost, port);
            for (int r = 0; r < 4; ++r)
                greedy.back()->write("GET /html/driver.jpg HTTP/1.1\r\nHost: x\r\n\r\n");
        }
        QTRY_COMPARE(server->clients(), Clients);
        QElapsedTimer loaded;
        loaded.start();
        while (loaded.elapsed() < 2000) {
            QTest::qWait(20);
            most = std::max(most, residentMemoryBytes());
        }
        // What waits in the server is a chunk or two per client, not the file per request.
        const qint64 bound = Clients * (2 * LiveClient::ChunkBytes + 16 * 1024);
        QVERIFY(server->peakHeldBytes() > Clients * LiveClient::ChunkBytes / 2);
        QVERIFY2(server->peakHeldBytes() <= bound,
                 qPrintable(QString::number(server->peakHeldBytes())));
        if (before > 0) {
            const size_t grown = most - before;
            QVERIFY2(grown < 64u * 1024 * 1024, qPrintable(QString::number(grown)));
        }
        QVERIFY2(latest < 100, qPrintable(QString::number(latest)));

        // A client that reads gets the file whole, twice, and then the race.
        QTcpSocket reader;
        reader.connectToHost(QHostAddress::LocalHost, port);
        greedy.clear();
        reader.write("GET /html/driver.jpg HTTP/1.1\r\nHost: x\r\n\r\n"
                     "GET /html/driver.jpg HTTP/1.1\r\nHost: x\r\n\r\n"
                     "GET /api/race HTTP/1.1\r\nHost: x\r\n\r\n");
        QByteArray in;
        QTRY_VERIFY_WITH_TIMEOUT((in += reader.readAll()).contains("\"sequence\""), 20000);
        qsizetype at = 0;
        for (int copy = 0; copy < 2; ++copy) {
            QVERIFY(in.mid(at).startsWith("HTTP/1.1 200 OK\r\n"));
            const qsizetype body = in.indexOf("\r\n\r\n", at) + 4;
            QVERIFY(in.mid(at, body - at).contains("Content-Length: 5242880\r\n"));
            QVERIFY(in.mid(body, content.size()) == content);
            at = body + content.size();
        }
        QVERIFY(in.mid(at).startsWith("HTTP/1.1 200 OK\r\nContent-Type: application/json"));
    }

    void aClientThatTakesNothingIsDropped() {
        LiveLimits limits;
        limits.stalledMs = 300;
        makeProgram(true, limits);
        {
            std::ofstream out(program->paths->dir / "html" / "big.png", std::ios::binary);
            out << std::string(5 * 1024 * 1024, 'p');
        }
        QTcpSocket stalled;
        stalled.setReadBufferSize(1024);
        stalled.connectToHost(QHostAddress::LocalHost, port);
        stalled.write("GET /html/big.png HTTP/1.1\r\nHost: x\r\n\r\n");
        QTRY_COMPARE(server->clients(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(server->clients(), 0, 10000);
        QTRY_COMPARE(server->heldBytes(), 0);
    }

    void anOversizeRequestIsRefused() {
        makeProgram();
        const QByteArray padding(static_cast<qsizetype>(MaxLiveRequestBytes), 'a');
        const Reply big =
            exchange(port, "GET /api/race HTTP/1.1\r\nHost: x\r\nX-Pad: " + padding + "\r\n\r\n");
        QCOMPARE(big.status, 431);
        const QByteArray longPath(static_cast<qsizetype>(MaxLiveRequestBytes) + 10, 'b');
        QCOMPARE(get(port, "/" + longPath).status, 431);
        // Just under the limit is served.
        const QByteArray some(static_cast<qsizetype>(MaxLiveRequestBytes) - 200, 'c');
        QCOMPARE(exchange(port, "GET /api/race HTTP/1.1\r\nHost: x\r\nX-Pad: " + some + "\r\n\r\n")
                     .status,
                 200);
    }

    void aBadRequestIsAnswered400AndAWebSocketClosed() {
        makeProgram();
        const Reply garbage = exchange(port, "this is not http\r\n\r\n");
        QCOMPARE(garbage.status, 400);
        QTcpSocket ws;
        ws.connectToHost(QHostAddress::LocalHost, port);
        ws.write("GET /api/events HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                 "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                 "Sec-WebSocket-Version: 13\r\n\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(ws.state(), QAbstractSocket::UnconnectedState, 5000);
        QTRY_COMPARE(server->clients(), 0);
        QCOMPARE(get(port, "/api/race").status, 200);
    }

    void aQuietConnectionIsClosedAndItsPlaceFreed() {
        LiveLimits limits;
        limits.idleMs = 200;
        makeProgram(false, limits);
        QTcpSocket quiet;
        quiet.connectToHost(QHostAddress::LocalHost, port);
        QTRY_COMPARE(server->clients(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(quiet.state(), QAbstractSocket::UnconnectedState, 5000);
        QTRY_COMPARE(server->clients(), 0);
    }

    void pathsStayInTheHtmlFolder() {
        makeProgram(true);
        const Reply page = get(port, "/html/h1r1.html");
        QCOMPARE(page.status, 200);
        QCOMPARE(page.body, QByteArray("<html>heat 1</html>"));
        for (const char* bad : {"/html/../eventfile.qdd", "/html/%2e%2e/eventfile.qdd",
                                "/html/..%2feventfile.qdd", "/html/.hidden", "/html/"}) {
            const Reply r = get(port, bad);
            QVERIFY2(r.status == 400, bad);
            QVERIFY2(!r.body.contains("not for the network"), bad);
        }
        QCOMPARE(get(port, "/html/h9r9.html").status, 404);
        const Reply results = get(port, "/api/results?round=1");
        QVERIFY2(results.body.contains(R"("pages":["h1r1.html"])"), results.body);
    }

    void aSlowReaderIsDropped() {
        makeProgram();
        startRace();
        auto open = [this](QTcpSocket& s) {
            s.connectToHost(QHostAddress::LocalHost, port);
            s.write("GET /api/events HTTP/1.1\r\nHost: x\r\n\r\n");
        };
        QTcpSocket slow;
        slow.setReadBufferSize(1024); // takes 1 KB and reads no more
        open(slow);
        QTcpSocket reader;
        open(reader);
        QTRY_COMPARE(server->streams(), 2);
        QByteArray read;
        QElapsedTimer waited;
        waited.start();
        while (server->streams() == 2 && waited.elapsed() < 30000) {
            server->raceChanged();
            QCoreApplication::processEvents();
            read += reader.readAll();
            if (read.size() > (1 << 20)) read.clear();
        }
        QCOMPARE(server->streams(), 1);
        // Its connection is closed on the server's side; the reader stays.
        QTRY_COMPARE(server->clients(), 1);
        QCOMPARE(reader.state(), QAbstractSocket::ConnectedState);
    }

    void thePageIsSmallAndSelfContained() {
        makeProgram();
        const Reply page = get(port, "/");
        QCOMPARE(page.status, 200);
        QVERIFY(page.headers.toLower().contains("content-type: text/html"));
        QVERIFY(page.body.size() > 1000);
        QVERIFY(page.body.size() < 50 * 1024);
        QVERIFY(page.body.contains("/api/events"));
        QVERIFY(!page.body.contains("http:") && !page.body.contains("https:"));
        QVERIFY(page.body.contains("name=\"viewport\""));
    }

    void aTakenPortIsReported() {
        makeProgram();
        LiveFeed otherFeed(LiveSources{program->settings, program->event, program->paths,
                                       [this] { return raceEngine.get(); }});
        LiveServer other(otherFeed);
        const Outcome second = other.start(QStringLiteral("127.0.0.1"), port);
        QVERIFY(!second.ok);
        QVERIFY2(second.message.rfind("Live results are not served: port " + std::to_string(port) +
                                          " cannot be opened",
                                      0) == 0,
                 second.message.c_str());
        QVERIFY(!other.listening());
        QVERIFY(other.pageAddress().isEmpty());
        QVERIFY(!other.start(QStringLiteral("not an address"), 0).ok);
        QCOMPARE(get(port, "/api/race").status, 200); // the first runs on
    }
};

QTEST_MAIN(LiveServerTest)
#include "live_server_test.moc"
