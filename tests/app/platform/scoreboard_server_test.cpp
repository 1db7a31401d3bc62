// The scoreboard feed on loopback, fed by a race run by the engine in virtual time: what a
// display reads during the race, what a display that connects mid-race gets at once, and the
// bounds (readers, a reader that stops reading).

#include "platform/scoreboard_server.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "scoreboard/rmonitor_fields.h"
#include "session/live_results.h"
#include "session/race_view_bridge.h"
#include "station/race_station.h"

#include <QTcpSocket>
#include <QtTest>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace vexa;

namespace {

const WallMoment Afternoon{14 * 3600 * 1000 + 2 * 60 * 1000 + 11 * 1000, 2026, 12, 11};

// A display on loopback: it reads whole records as they come.
class FeedReader {
  public:
    explicit FeedReader(quint16 port) { socket.connectToHost(QHostAddress::LocalHost, port); }

    // The records read so far (new ones are taken first).
    const std::vector<std::string>& records() {
        buffer += socket.readAll().toStdString();
        for (size_t end; (end = buffer.find("\r\n")) != std::string::npos;) {
            lines.push_back(buffer.substr(0, end));
            buffer.erase(0, end + 2);
        }
        return lines;
    }
    std::vector<std::string> kind(const std::string& k) {
        std::vector<std::string> out;
        for (const std::string& line : records())
            if (line.rfind(k + ",", 0) == 0) out.push_back(line);
        return out;
    }
    // Waits until a record of the kind has come (up to 10 s).
    bool waitFor(const std::string& k, size_t count = 1) {
        QElapsedTimer waited;
        waited.start();
        while (kind(k).size() < count && waited.elapsed() < 10000) {
            QCoreApplication::processEvents();
            socket.waitForReadyRead(20);
        }
        return kind(k).size() >= count;
    }

    QTcpSocket socket;

  private:
    std::string buffer;
    std::vector<std::string> lines;
};

// The car a record names: its first quoted field.
std::string carOf(const std::string& line) {
    const size_t from = line.find('"') + 1;
    return line.substr(from, line.find('"', from) - from);
}

} // namespace

class ScoreboardServerTest : public QObject {
    Q_OBJECT

  private:
    // A program with `cars` drivers in one heat of class "Buggy" (`minutes` long), a race engine
    // on virtual time whose notices go to the server, and the server on a free loopback port.
    void makeProgram(int cars, int minutes, const ScoreboardLimits& limits = {}) {
        raceEngine.reset(); // before the program and the time it runs on
        program = std::make_unique<Program>();
        ProgSettings& s = program->settings;
        s.classes[1].name = "Buggy";
        s.classes[1].qualMinutes = minutes;
        s.classes[1].tenSecCountdown = false;
        s.heatMass = true;
        for (int id = 1; id <= cars; ++id) {
            program->event.cpts[id].name = "Driver " + std::to_string(id);
            program->event.cpts[id].classno = 1;
            program->event.heats.setSlotText(1, id, std::to_string(id));
        }
        clock = std::make_unique<VirtualClock>();
        scheduler = std::make_unique<VirtualScheduler>(*clock);
        ports = std::make_unique<RecordingPorts>(*clock);
        bridge = std::make_unique<RaceViewBridge>();
        raceEngine = std::make_unique<RaceEngine>(
            raceData(*program),
            RacePorts{*clock, *scheduler, *ports, *ports, *ports, *ports, *ports, bridge.get()});
        server = std::make_unique<ScoreboardServer>(
            ScoreboardSources{program->settings, [this] { return raceEngine.get(); }}, nullptr,
            limits);
        server->setWallClock([] { return Afternoon; });
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

    void keyAt(double raceSeconds, int car) {
        scheduler->advanceTo(raceOrigin + std::llround(raceSeconds * 1000));
        // The lap counting keys: 1..9, 0 for 10, Q..P for 11..20.
        const char key = car <= 9 ? static_cast<char>('0' + car) : "0QWERTYUIOP"[car - 10];
        raceEngine->manualKey(key);
    }

    // The `$G` record of each row of the race screen's standings.
    std::vector<std::string> standings() const {
        std::vector<std::string> out;
        const RaceDrivers& drivers = raceEngine->values().race_drivers;
        for (const StandingsRow& row : raceEngine->standings().rows()) {
            const RaceDriver& d = drivers[static_cast<size_t>(row.entrant)];
            out.push_back("$G," + row.pos + ",\"" + row.car + "\"," +
                          (d.lapcount > 0 ? row.laps : std::string{}) + ",\"" +
                          rmonitorTime(rmonitorMs(d.lastpass)) + "\"");
        }
        return out;
    }

    // The last `$G` of each car, in order of place.
    static std::vector<std::string> lastPlaces(const std::vector<std::string>& g) {
        std::map<std::string, std::string> last;
        for (const std::string& line : g) last[carOf(line)] = line;
        std::vector<std::string> out;
        for (const auto& [car, line] : last) out.push_back(line);
        std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
            return std::stoi(a.substr(3)) < std::stoi(b.substr(3));
        });
        return out;
    }

    std::unique_ptr<Program> program;
    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<VirtualScheduler> scheduler;
    std::unique_ptr<RecordingPorts> ports;
    std::unique_ptr<RaceViewBridge> bridge;
    std::unique_ptr<RaceEngine> raceEngine;
    std::unique_ptr<ScoreboardServer> server;
    quint16 port = 0;
    int64_t raceOrigin = 0;

  private slots:
    void cleanup() {
        server.reset();
        raceEngine.reset();
        program.reset();
    }

    void aDisplayReadsTheRace() {
        makeProgram(3, 1);
        FeedReader display(port);
        QVERIFY(display.waitFor("$F")); // before any race: the heartbeat alone
        QCOMPARE(display.kind("$A").size(), size_t{0});
        startRace();
        QVERIFY(display.waitFor("$G", 3));
        QCOMPARE(display.kind("$A"),
                 (std::vector<std::string>{"$A,\"1\",\"1\",0,\"Driver\",\"1\",\"\",1",
                                           "$A,\"2\",\"2\",0,\"Driver\",\"2\",\"\",1",
                                           "$A,\"3\",\"3\",0,\"Driver\",\"3\",\"\",1"}));
        QCOMPARE(display.kind("$COMP").size(), size_t{3});
        QCOMPARE(display.kind("$B"),
                 std::vector<std::string>{"$B,101001,\"Buggy Heat# 1 Round 1\""});
        QCOMPARE(display.kind("$C"), std::vector<std::string>{"$C,1,\"Buggy\""});

        keyAt(20, 2);
        keyAt(22.5, 3);
        keyAt(38.25, 2);
        keyAt(41, 1);
        QVERIFY(display.waitFor("$J", 4));
        QCOMPARE(display.kind("$J"),
                 (std::vector<std::string>{"$J,\"2\",\"00:00:20.000\",\"00:00:20.000\"",
                                           "$J,\"3\",\"00:00:22.500\",\"00:00:22.500\"",
                                           "$J,\"2\",\"00:00:18.250\",\"00:00:38.250\"",
                                           "$J,\"1\",\"00:00:41.000\",\"00:00:41.000\""}));
        QCOMPARE(lastPlaces(display.kind("$G")), standings());
        QCOMPARE(display.kind("$H"), std::vector<std::string>{"$H,1,\"2\",2,\"00:00:18.250\""});

        // The heartbeat every second, with the race's clock and the green flag.
        const size_t beats = display.kind("$F").size();
        QVERIFY(display.waitFor("$F", beats + 1));
        QCOMPARE(display.kind("$F").back(),
                 std::string("$F,9999,\"00:00:19\",\"14:02:11\",\"00:00:41\",\"Green \""));
    }

    void aDisplayThatConnectsMidRaceGetsTheStateAtOnce() {
        makeProgram(4, 2);
        startRace();
        keyAt(20, 4);
        keyAt(21, 1);
        keyAt(39, 4);
        keyAt(44, 2);
        FeedReader display(port);
        // At once: no passing and no second of the heartbeat is waited for.
        QVERIFY(display.waitFor("$F"));
        QCOMPARE(display.kind("$A").size(), size_t{4});
        QCOMPARE(display.kind("$COMP").size(), size_t{4});
        QCOMPARE(display.kind("$G"), standings());
        QCOMPARE(display.kind("$H"), std::vector<std::string>{"$H,1,\"4\",2,\"00:00:19.000\""});
        QCOMPARE(display.records().front().substr(0, 3), std::string("$I,"));
        QCOMPARE(display.kind("$J").size(), size_t{0});
        // And then each passing as it comes.
        keyAt(60, 1);
        QVERIFY(display.waitFor("$J"));
        QCOMPARE(display.kind("$J"),
                 std::vector<std::string>{"$J,\"1\",\"00:00:39.000\",\"00:01:00.000\""});
    }

    void aSlowReaderIsDroppedAndTheRaceGoesOn() {
        ScoreboardLimits limits;
        limits.maxBacklogBytes = 8 * 1024;
        limits.socketBufferBytes = 4 * 1024;
        makeProgram(20, 30, limits);
        FeedReader slow(port);
        slow.socket.setReadBufferSize(256); // takes 256 bytes and reads no more
        FeedReader reader(port);
        QTRY_COMPARE(server->readers(), 2);
        startRace();
        // Twenty cars lap every 9 seconds for half an hour; the reader reads on.
        int counted = 0;
        for (int lap = 1; lap <= 190; ++lap)
            for (int car = 1; car <= 20; ++car) {
                keyAt(lap * 9.0 + car * 0.1, car);
                ++counted;
                QCoreApplication::processEvents();
                reader.records();
            }
        int laps = 0;
        for (const RaceDriver& d : raceEngine->values().race_drivers) laps += d.lapcount;
        QCOMPARE(laps, counted);
        QCOMPARE(server->droppedReaders(), 1);
        QCOMPARE(server->readers(), 1);
        QVERIFY(reader.waitFor("$J", static_cast<size_t>(counted)));
        QCOMPARE(reader.kind("$J").size(), static_cast<size_t>(counted));
        QCOMPARE(reader.socket.state(), QAbstractSocket::ConnectedState);
        // The slow reader finds its connection gone once it reads again.
        slow.socket.setReadBufferSize(0);
        QTRY_VERIFY_WITH_TIMEOUT(
            (slow.socket.readAll(), slow.socket.state() == QAbstractSocket::UnconnectedState),
            10000);
    }

    void readersBeyondTheLastPlaceAreRefused() {
        ScoreboardLimits limits;
        limits.maxReaders = 2;
        makeProgram(1, 1, limits);
        FeedReader first(port), second(port);
        QVERIFY(first.waitFor("$F"));
        QVERIFY(second.waitFor("$F"));
        FeedReader third(port);
        QTRY_COMPARE(server->refusedReaders(), 1);
        QTRY_COMPARE(third.socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(server->readers(), 2);
        // A place comes free when a reader leaves.
        first.socket.disconnectFromHost();
        QTRY_COMPARE(server->readers(), 1);
        FeedReader fourth(port);
        QVERIFY(fourth.waitFor("$F"));
        QCOMPARE(server->readers(), 2);
    }

    void aTakenPortIsReported() {
        makeProgram(1, 1);
        ScoreboardServer other(
            ScoreboardSources{program->settings, [this] { return raceEngine.get(); }});
        const Outcome second = other.start(QStringLiteral("127.0.0.1"), port);
        QVERIFY(!second.ok);
        QVERIFY2(second.message.rfind("The scoreboard feed is not served: port " +
                                          std::to_string(port) + " cannot be opened",
                                      0) == 0,
                 second.message.c_str());
        QVERIFY(!other.listening());
        QVERIFY(other.feedAddress().isEmpty());
        QVERIFY(!other.start(QStringLiteral("not an address"), 0).ok);
        QCOMPARE(server->feedAddress(), QStringLiteral("127.0.0.1:%1").arg(port));
    }
};

QTEST_MAIN(ScoreboardServerTest)
#include "scoreboard_server_test.moc"
