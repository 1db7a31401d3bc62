// The live results server on loopback, fed by a race run by the engine in virtual time: what a
// client gets during the race, the event stream, and the bounds (clients, request size, paths,
// slow readers).

#include "files/event_files.h"
#include "live/live_feed.h"
#include "live/live_request.h"
#include "platform/live_connections.h"
#include "platform/live_server.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/live_results.h"
#include "session/race_view_bridge.h"
#include "support/http_exchange.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>
#include <vector>

using namespace vexa;
using vexa::test::exchange;
using vexa::test::get;
using vexa::test::Reply;

class LiveServerTest : public QObject {
    Q_OBJECT

  private:
    // A program with two heats in class "Buggy", a race engine on virtual time whose notices go
    // to the server, and the server on a free loopback port.
    void makeProgram(bool withEventFolder = false) {
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
        attachRaceEngine(*program, RacePorts{*clock, *scheduler, *ports, *ports, *ports, *ports,
                                             *ports, bridge.get()});
        feed = std::make_unique<LiveFeed>(
            LiveSources{program->settings, program->event, program->paths, program->race});
        server = std::make_unique<LiveServer>(*feed);
        followRace(*server, *bridge);
        const Outcome started = server->start(QStringLiteral("127.0.0.1"), 0);
        QVERIFY2(started.ok, started.message.c_str());
        port = server->port();
    }

    void startRace() {
        RaceEngine& engine = *program->race;
        engine.openRaceScreen();
        while (engine.values().RaceState != RaceStates::Running && scheduler->fireNext()) {
        }
        QCOMPARE(engine.values().RaceState, RaceStates::Running);
        raceOrigin = clock->milliseconds();
    }

    void keyAt(int raceSeconds, char key) {
        scheduler->advanceTo(raceOrigin + raceSeconds * 1000LL);
        program->race->manualKey(key);
    }

    QTemporaryDir folder;
    std::unique_ptr<Program> program;
    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<VirtualScheduler> scheduler;
    std::unique_ptr<RecordingPorts> ports;
    std::unique_ptr<RaceViewBridge> bridge;
    std::unique_ptr<LiveFeed> feed;
    std::unique_ptr<LiveServer> server;
    quint16 port = 0;
    int64_t raceOrigin = 0;

  private slots:
    void cleanup() {
        server.reset();
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
        QCOMPARE(program->race->values().race_drivers[1].lapcount, 2);
        QCOMPARE(program->race->values().RaceState, RaceStates::Running);
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
        QCOMPARE(program->race->values().race_drivers[0].lapcount, 1);
        QCOMPARE(sent.count(), 0);
        got.clear();
        QTRY_VERIFY_WITH_TIMEOUT(
            (got += stream.readAll())
                .contains(R"("rows":[{"pos":"1","car":"1","name":"Driver 1","laps":"1")"),
            5000);
        QVERIFY(sent.count() >= 1);
        QVERIFY2(got.contains(R"("passings":[{"car":1,"name":"Driver 1","lap":1,)"), got);
    }

    void theClientAfterTheMostIsRefused() {
        makeProgram();
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < MaxLiveClients; ++i) {
            clients.push_back(std::make_unique<QTcpSocket>());
            clients.back()->connectToHost(QHostAddress::LocalHost, port);
        }
        QTRY_COMPARE_WITH_TIMEOUT(server->clients(), MaxLiveClients, 10000);
        const Reply refused = get(port, "/api/race");
        QCOMPARE(refused.status, 503);
        QCOMPARE(server->clients(), MaxLiveClients);
        // One leaves: the next is served again.
        clients.front()->disconnectFromHost();
        clients.erase(clients.begin());
        QTRY_COMPARE_WITH_TIMEOUT(server->clients(), MaxLiveClients - 1, 5000);
        QCOMPARE(get(port, "/api/race").status, 200);
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
        LiveConnections connections(1, MaxLiveRequestBytes, nullptr, 200);
        QVERIFY(connections.listen(QHostAddress::LocalHost, 0));
        QTcpSocket quiet;
        quiet.connectToHost(QHostAddress::LocalHost, connections.serverPort());
        QTRY_COMPARE(connections.clients(), 1);
        QVERIFY(connections.nextPendingConnection()); // taken, as the HTTP layer takes it
        QTRY_COMPARE_WITH_TIMEOUT(quiet.state(), QAbstractSocket::UnconnectedState, 5000);
        QTRY_COMPARE(connections.clients(), 0);
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
        for (int i = 0; i < 20000 && server->streams() == 2; ++i) {
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
        LiveFeed otherFeed(
            LiveSources{program->settings, program->event, program->paths, program->race});
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
