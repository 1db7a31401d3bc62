#include "files/event_files.h"
#include "files/settings_file.h"
#include "platform/live_server.h"
#include "platform/scoreboard_server.h"
#include "platform/timing_host.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/race_view_bridge.h"
#include "session/session.h"
#include "station/race_station.h"
#include "support/app_test_support.h"
#include "support/http_exchange.h"
#include "support/print_recorder.h"
#include "timing/counting_equipment.h"
#include "ui/main/amb_search_window.h"
#include "ui/main/main_window.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace vexa;
using vexa::test::child;

// The composition root on virtual time: start-up with the counting equipment, the welcome
// window, the main window, and a race run by keys through the real engine, outputs and sound.
class SessionTest : public QObject {
    Q_OBJECT

    struct Rig {
        QTemporaryDir home;
        VirtualClock clock;
        RecordingPorts sound{clock};
        VirtualScheduler scheduler{clock};
        test::RecordingOperator op;
        int printJobs = 0;
        QList<QUrl> opened;
        Program program;
        std::unique_ptr<Session> session;

        Rig() {
            program.home.root = home.path().toStdString();
            startProgram(program);
            // No scoreboard feed on the usual port, which another program may hold.
            program.settings.scoreboardPort = 0;
        }
        ~Rig() { session.reset(); }
        Session& make() {
            SessionPorts ports;
            ports.clock = &clock;
            ports.scheduler = &scheduler;
            ports.op = &op;
            ports.sound = &sound;
            ports.printer = [this]() -> std::unique_ptr<PrintStream> {
                ++printJobs;
                return std::make_unique<test::PrintRecorder>();
            };
            ports.chosenPrinter = [](QWidget*, const QString&) {
                return std::make_unique<test::PrintRecorder>();
            };
            ports.openUrl = [this](const QUrl& url) { opened << url; };
            session = std::make_unique<Session>(program, ports);
            return *session;
        }
        void runFor(int ms) { scheduler.advanceTo(clock.milliseconds() + ms); }
        // The event "Club Day" with one mass-start heat of "Touring", one minute long: Ann Lee
        // on car 1, Bob Stone on car 2.
        bool twoDriverHeat() {
            ProgSettings& s = program.settings;
            s.heatMass = true;
            s.classes[1].name = "Touring";
            s.classes[1].qualMinutes = 1;
            s.classes[1].tenSecCountdown = false;
            for (int id : {1, 2}) {
                program.event.competitor(id).name = id == 1 ? "Ann Lee" : "Bob Stone";
                program.event.competitor(id).classno = 1;
                program.event.heats.setSlotText(1, id, std::to_string(id));
            }
            return createEvent(program, "Club Day").ok;
        }
    };

    // A port of the loopback that nobody listens on now.
    static int freePort() {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
        return probe.serverPort();
    }

  private slots:
    void aDecoderThatDoesNotAnswerFallsBackToManualCountingBeforeTheWelcome() {
        Rig rig;
        ProgSettings& s = rig.program.settings;
        s.countDevice = 2; // AMBrc over TCP, to a port where nobody listens
        s.count1ComPort = IpAddressPortEntry;
        s.ipAddress = "127.0.0.1:1";
        Session& session = rig.make();
        session.setUpCountingEquipment();

        AmbSearchWindow& search = session.searchWindow();
        QVERIFY(search.isVisible());
        QCOMPARE(search.windowTitle(), QStringLiteral("AMB Connection"));
        QCOMPARE(child<QLabel>(search, "ambsearchLB")->text(),
                 QStringLiteral("Checking AMBrc Decoder"));
        QTRY_VERIFY(rig.op.shown.contains(QString::fromLatin1(SocketErrorMessage)));
        rig.runFor(PresenceCheckIntervalMs * (PresenceCheckSteps + 1));
        QCOMPARE(child<QLabel>(search, "ambsearchLB")->text(),
                 QStringLiteral("AMB Decoder not found, now set to manual counting"));
        QCOMPARE(child<QLabel>(session.mainWindow(), "timingt")->text(),
                 QStringLiteral("Manual Timing"));
        QCOMPARE(session.race().countDevice(), CountingDevice::Manual);

        // The window stays until the operator closes it; then start-up goes on.
        QTimer::singleShot(20, &search, [&] { search.reject(); });
        session.waitForCountingEquipment();
        QVERIFY(!search.isVisible());

        test::onNextModal([](QWidget& welcome) {
            child<QLineEdit>(welcome, "neweventED")->setText(QStringLiteral("Club Day"));
            child<QPushButton>(welcome, "CreateBtn")->click();
        });
        QVERIFY(session.chooseEvent());
        session.showMainWindow();
        QVERIFY(session.mainWindow().isVisible());
        QCOMPARE(child<QLabel>(session.mainWindow(), "eventnameLB")->text(),
                 QStringLiteral("Club Day"));
    }

    void aPortThatDoesNotExistIsToldAtOnce() {
        Rig rig;
        std::ofstream(rig.home.filePath("comports.ini").toStdString())
            << "[PORTS]\nCOM2=/dev/no-such-port-here\n";
        rig.program.settings.countDevice = 1; // System 20 on "Com 2"
        rig.program.settings.count1ComPort = 1;
        Session& session = rig.make();
        session.setUpCountingEquipment();
        QVERIFY(!session.searchWindow().isVisible());
        QCOMPARE(rig.op.shown,
                 QStringList{QStringLiteral("AMB Port Not found, Manual counting now set")});
        QCOMPARE(child<QLabel>(session.mainWindow(), "timingt")->text(),
                 QStringLiteral("Manual Timing"));
    }

    void aRaceByKeysRunsThroughTheCompositionRoot() {
        Rig rig;
        ProgSettings& s = rig.program.settings;
        s.countDevice = 0;
        s.raceInterval = "20";
        s.raceSetup = "10";
        s.printRaceResults = true;
        QVERIFY(rig.twoDriverHeat());
        Session& session = rig.make();
        session.setUpCountingEquipment();
        session.showMainWindow();
        QSignalSpy standings(&session.raceView(), &RaceViewBridge::standingsChangedSignal);
        QSignalSpy panel(&session.raceView(), &RaceViewBridge::panelChangedSignal);

        child<QPushButton>(session.mainWindow(), "RaceBtn")->click();
        RaceEngine& engine = session.race();
        while (engine.values().RaceState != RaceStates::Running && rig.scheduler.fireNext()) {
        }
        QCOMPARE(engine.values().RaceState, RaceStates::Running);
        QVERIFY(engine.values().ManualKeys);
        // Car 1 does a lap every 20 s, car 2 every 25 s.
        for (int t = 1; t <= 70; ++t) {
            rig.runFor(1000);
            if (t % 20 == 0) QVERIFY(engine.manualKey('1'));
            if (t % 25 == 0) QVERIFY(engine.manualKey('2'));
        }
        // The only heat of the table: the end-of-round window follows.
        test::onNextModal([](QWidget& eor) { child<QPushButton>(eor, "MainScreenBtn")->click(); });
        const int done = engine.completedRaces();
        while (engine.completedRaces() == done && rig.scheduler.fireNext()) {
        }
        QCOMPARE(engine.completedRaces(), done + 1);

        QCOMPARE(rig.program.event.cptres[1].laps[1], 3);
        QCOMPARE(rig.program.event.cptres[2].laps[1], 2);
        EventData stored;
        readResults(rig.program.paths->results, stored);
        QCOMPARE(stored.cptres[1].laps[1], 3);
        QVERIFY(std::filesystem::exists(rig.program.paths->dir / "html" / "h1r1.html"));
        QCOMPARE(rig.printJobs, 0); // the sheet is printed just after the end-of-race processing
        rig.runFor(1);
        QCOMPARE(rig.printJobs, 1);
        QVERIFY(standings.count() > 0);
        QVERIFY(panel.count() > 0);
        const auto sounds = rig.sound.sounds();
        QVERIFY(std::find(sounds.begin(), sounds.end(), "raceover.wav") != sounds.end());
        QVERIFY(rig.op.shown.isEmpty());
    }

    void theLiveResultsFollowTheSessionsRace() {
        Rig rig;
        ProgSettings& s = rig.program.settings;
        QVERIFY(rig.twoDriverHeat());
        s.liveAddress = "127.0.0.1";
        s.livePort = freePort();
        s.scoreboardPort = freePort();
        Session& session = rig.make();
        session.startLiveResults();
        session.showMainWindow();
        auto* address = child<QLabel>(session.mainWindow(), "LiveResultsLB");
        QVERIFY(address->isVisible());
        QCOMPARE(address->text(), QStringLiteral("Live results: http://127.0.0.1:%1/\n"
                                                 "Scoreboard: 127.0.0.1:%2")
                                      .arg(s.livePort)
                                      .arg(s.scoreboardPort));
        QTcpSocket display;
        display.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(s.scoreboardPort));

        child<QPushButton>(session.mainWindow(), "RaceBtn")->click();
        RaceEngine& engine = session.race();
        while (engine.values().RaceState != RaceStates::Running && rig.scheduler.fireNext()) {
        }
        rig.runFor(20000);
        QVERIFY(engine.manualKey('2'));
        const auto port = static_cast<quint16>(s.livePort);
        const test::Reply race = test::get(port, "/api/race");
        QCOMPARE(race.status, 200);
        QVERIFY2(
            race.body.contains(R"("rows":[{"pos":"1","car":"2","name":"Bob Stone","laps":"1")"),
            race.body);
        QVERIFY(test::get(port, "/api/programme").body.contains(R"("running":true)"));
        // The scoreboard feed follows the same race.
        QByteArray records;
        QElapsedTimer waited;
        waited.start();
        while (!records.contains("$J,\"2\"") && waited.elapsed() < 10000) {
            display.waitForReadyRead(50);
            records += display.readAll();
        }
        QVERIFY2(records.contains("$A,\"2\",\"2\","), records);
        QVERIFY2(records.contains("$G,1,\"2\",1,\"00:00:"), records);
        QVERIFY(rig.op.shown.isEmpty());
    }

    void aTakenPortIsSaidOnceAndTheProgramRunsOn() {
        QTcpServer holder;
        QVERIFY(holder.listen(QHostAddress::LocalHost, 0));
        Rig rig;
        rig.program.settings.liveAddress = "127.0.0.1";
        rig.program.settings.livePort = holder.serverPort();
        Session& session = rig.make();
        session.startLiveResults();
        session.showMainWindow();
        const QString said = child<QLabel>(session.mainWindow(), "LiveResultsLB")->text();
        QVERIFY2(said.startsWith(QStringLiteral("Live results are not served: port %1 cannot be "
                                                "opened")
                                     .arg(holder.serverPort())),
                 qPrintable(said));
        QVERIFY(!session.liveServer().listening());
        QVERIFY(rig.op.shown.isEmpty()); // no box to answer
    }

    void switchedOffNothingIsServed() {
        Rig rig;
        rig.program.settings.liveEnabled = false;
        Session& session = rig.make();
        session.startLiveResults();
        session.showMainWindow();
        QVERIFY(!session.liveServer().listening());
        QVERIFY(!session.scoreboardServer().listening());
        QVERIFY(!child<QLabel>(session.mainWindow(), "LiveResultsLB")->isVisible());
    }

    void theScoreboardFeedAloneIsShown() {
        Rig rig;
        rig.program.settings.liveEnabled = false;
        rig.program.settings.liveAddress = "127.0.0.1";
        rig.program.settings.scoreboardPort = freePort();
        Session& session = rig.make();
        session.startLiveResults();
        session.showMainWindow();
        QVERIFY(!session.liveServer().listening());
        QVERIFY(session.scoreboardServer().listening());
        QCOMPARE(
            child<QLabel>(session.mainWindow(), "LiveResultsLB")->text(),
            QStringLiteral("Scoreboard: 127.0.0.1:%1").arg(rig.program.settings.scoreboardPort));
    }

    void weatherReadingsReachTheMainWindowAndTheRaceSheet() {
        Rig rig;
        Session& session = rig.make();
        session.station().timing().controller.rciocontrollerReceiveData("%012.5\r%51013\r");
        QCOMPARE(child<QLabel>(session.mainWindow(), "airtempLB")->text(),
                 QString::fromUtf8("Air Temp:12.5\u00b0C"));
        QCOMPARE(session.outputs().weather.airTemperature, std::string("Air Temp:12.5\xb0"
                                                                       "C"));
        QCOMPARE(session.outputs().weather.pressure, std::string("Pressure:1013mB"));
    }

    void aboutAndHomepage() {
        Rig rig;
        std::ofstream(rig.home.filePath("vexa.ini").toStdString())
            << "[RESULT OUTPUT]\nWEB ADDRESS=https://club.example/vexa\n";
        Session& session = rig.make();
        const MainMenus& menus = session.mainWindow().menus();
        QString version, made;
        test::onNextModal([&](QWidget& about) {
            QCOMPARE(about.windowTitle(), QStringLiteral("About"));
            version = child<QLabel>(about, "Version")->text();
            made = child<QLabel>(about, "DateMade")->text();
            QCOMPARE(child<QLabel>(about, "ProductName")->text(), QStringLiteral("Vexa Free"));
            child<QPushButton>(about, "OKButton")->click();
        });
        menus.about->trigger();
        QCOMPARE(version, QStringLiteral("Version: 0.14"));
        QCOMPARE(made, QStringLiteral("Date Made: 28/08/2006"));
        menus.homepage->trigger();
        QCOMPARE(rig.opened, QList<QUrl>{QUrl(QStringLiteral("https://club.example/vexa"))});
    }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
