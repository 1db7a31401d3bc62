// The decoder links on real connections: the simulator on a loopback TCP port and on a
// pseudo-terminal, found by the presence check, counting laps of a race run by the engine.

#include "platform/qt_timers.h"
#include "platform/timing_host.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "station/race_station.h"
#include "timing/counting_equipment.h"
#include "timing/passing_counter.h"
#include "ui/main/amb_search_window.h"
#include "ui/main/timing_status_panel.h"
#include "ui/settings/transponder_test_page.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

using namespace vexa;

namespace {

#ifndef VEXA_DECODER_SIM
#define VEXA_DECODER_SIM ""
#endif

// The simulator, stopped by itself after a minute at the latest.
class Simulator {
  public:
    explicit Simulator(QStringList arguments) {
        arguments << QStringLiteral("--quiet") << QStringLiteral("--duration")
                  << QStringLiteral("60");
        process_.start(QStringLiteral(VEXA_DECODER_SIM), arguments);
    }
    ~Simulator() {
        process_.kill();
        process_.waitForFinished(2000);
    }
    // The first line it prints: "tcp 127.0.0.1:PORT" or "pty /dev/pts/N"; the part after the
    // blank.
    QString address() {
        if (!process_.waitForReadyRead(5000)) return {};
        const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
        return line.section(QLatin1Char(' '), 1);
    }
    void stop() {
        process_.terminate();
        process_.waitForFinished(2000);
    }
    // A command on its standard input ("drop", "mute").
    void command(const char* line) {
        process_.write(line);
        process_.write("\n");
        process_.waitForBytesWritten(1000);
    }

  private:
    QProcess process_;
};

// A program with three drivers in a one-minute mass-start heat that starts three seconds after
// the race screen opens, its engine on Qt time and its timing equipment on real links.
struct Rig {
    QTemporaryDir home;
    Program program;
    QtClock clock;
    QtScheduler scheduler;
    RecordingPorts ports{clock};
    TimingStatusPanel view;
    AmbSearchWindow search;
    std::unique_ptr<TimingHost> host;
    std::unique_ptr<RaceStation> station;

    Rig(int countDevice, int portEntry, std::initializer_list<int32_t> transponders) {
        program.home.root = home.path().toStdString();
        ProgSettings& s = program.settings;
        s.countDevice = countDevice;
        s.count1ComPort = portEntry;
        s.minLap = "1";
        s.raceInterval = "3";
        s.raceSetup = "2";
        s.heatMass = true;
        s.classes[1].name = "Buggy";
        s.classes[1].qualMinutes = 1;
        s.classes[1].tenSecCountdown = false;
        int id = 1;
        for (int32_t transponder : transponders) {
            comp_ent& c = program.event.cpts[static_cast<size_t>(id)];
            c.name = "Driver " + std::to_string(id);
            c.classno = 1;
            c.transponder = transponder;
            program.event.heats.setSlotText(1, id, std::to_string(id));
            ++id;
        }
        host = std::make_unique<TimingHost>(program);
        station = buildRaceStation(
            program, StationPorts{clock, scheduler, ports, ports, ports, nullptr,
                                  host->links(scheduler, clock, ports, view, search)});
        host->serve(station->timing());
    }

    CountingEquipment& equipment() { return station->equipment(); }
    RaceEngine& engine() { return station->engine(); }
    int fewestLaps() {
        int fewest = 1000;
        for (const RaceDriver& d : engine().values().race_drivers)
            fewest = std::min(fewest, d.lapcount);
        return engine().values().race_drivers.empty() ? 0 : fewest;
    }
    int notes(const char* text) {
        const auto all = ports.texts("note");
        return static_cast<int>(std::count(all.begin(), all.end(), std::string(text)));
    }
    QString label(const char* name) {
        return view.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    int countDevice() { return settingOf(engine().countDevice()); }
    QPushButton* reconnectButton() {
        return view.findChild<QPushButton*>(QStringLiteral("reconnectDecoderBtn"));
    }
    void wireReconnect() {
        view.onReconnect(
            [this] { equipment().reconnectDecoder(); },
            [this] { return equipment().lostCountDevice() != CountingDevice::Manual; });
    }
    // Every lap but the first (timed from the start) lies within `low` and `high` seconds.
    bool lapsWithin(double low, double high) {
        for (const RaceDriver& d : engine().values().race_drivers)
            for (int n = 2; n <= d.lapcount && n <= 200; ++n) {
                const double lap = d.laptimes[static_cast<size_t>(n)];
                if (lap < low || lap > high) {
                    qWarning("car %d lap %d: %.3f s", d.carno, n, lap);
                    return false;
                }
            }
        return true;
    }
};

} // namespace

class DecoderLinksTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        if (QString::fromLatin1(VEXA_DECODER_SIM).isEmpty())
            QSKIP("the decoder simulator is built on POSIX systems only");
    }
    void ambrcOverTcpCountsARace();
    void p3OverTcpLosesNoPassingAcrossADroppedLink();
    void silentAmbrcLinkIsLostAndFoundAgain();
    void quietDecoderIsAskedNotLost_data();
    void quietDecoderIsAskedNotLost();
    void reconnectButtonResumesCountingAfterAFailedAttempt();
    void tcpRecordsSplitAcrossReadsArriveWhole();
    void serialPseudoTerminalCountsARace_data();
    void serialPseudoTerminalCountsARace();
    void noDecoderOnThePortFallsBackToManual();
    void trackControllerOverPseudoTerminal();
};

void DecoderLinksTest::ambrcOverTcpCountsARace() {
    Simulator sim({"--tcp", "0", "--id", "42", "--cars", "3", "--lap", "1.2", "--spread", "0.1"});
    const QString address = sim.address();
    QVERIFY(address.startsWith(QStringLiteral("127.0.0.1:")));
    Rig rig(2, IpAddressPortEntry, {4000001, 4000002, 4000003});
    rig.program.settings.ipAddress = address.toStdString();

    rig.view.onReconnect(
        [&rig] { rig.equipment().reconnectDecoder(); },
        [&rig] { return rig.equipment().lostCountDevice() != CountingDevice::Manual; });
    QVERIFY(rig.view.findChild<QWidget*>(QStringLiteral("reconnectDecoderBtn"))->isHidden());
    rig.equipment().Setupcountingequipment();
    QCOMPARE(rig.label("timingt"), QStringLiteral("AMBrc(Com)"));
    QVERIFY(rig.search.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
    QCOMPARE(rig.equipment().decoderId(), 42);
    QVERIFY(!rig.search.isVisible());
    QCOMPARE(settingOf(rig.engine().countDevice()), 2);

    rig.engine().openRaceScreen();
    QTRY_COMPARE_WITH_TIMEOUT(rig.engine().values().RaceState, RaceStates::Running, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= 2, 10000);
    // The decoder's clock restarted with the race: its times are used as they come.
    QCOMPARE(rig.notes(ComputerTimeNote), 0);
    for (const RaceDriver& d : rig.engine().values().race_drivers)
        QVERIFY(d.hits >= 8 && d.hits <= 14);

    // The decoder goes away during the race: counting goes on with the keys.
    const int laps = rig.engine().values().race_drivers[0].lapcount;
    sim.stop();
    QTRY_COMPARE_WITH_TIMEOUT(settingOf(rig.engine().countDevice()), 0, 3000);
    QCOMPARE(rig.label("timingt"), QStringLiteral("Manual Timing"));
    QCOMPARE(rig.label("timingNoticeLB"), QString::fromLatin1(DecoderLinkLostMessage));
    QVERIFY(!rig.view.findChild<QWidget*>(QStringLiteral("reconnectDecoderBtn"))->isHidden());
    QVERIFY(rig.engine().values().ManualKeys);
    QCOMPARE(rig.engine().values().RaceState, RaceStates::Running);
    QVERIFY(rig.engine().values().race_drivers[0].lapcount >= laps);
    QTest::qWait(1100);
    const int before = rig.engine().values().race_drivers[0].lapcount;
    QVERIFY(rig.engine().manualKey('1'));
    QCOMPARE(rig.engine().values().race_drivers[0].lapcount, before + 1);
}

void DecoderLinksTest::p3OverTcpLosesNoPassingAcrossADroppedLink() {
    Simulator sim({"--dialect", "p3", "--tcp", "0", "--id", "268307", "--cars", "3", "--lap", "1.2",
                   "--spread", "0.1", "--down", "2"});
    const QString address = sim.address();
    QVERIFY(address.startsWith(QStringLiteral("127.0.0.1:")));
    Rig rig(3, 0, {4000001, 4000002, 4000003});
    rig.program.settings.ipAddress = address.toStdString();
    rig.equipment().Setupcountingequipment();
    QCOMPARE(rig.label("timingt"), QStringLiteral("P3(TCP)"));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
    QCOMPARE(rig.countDevice(), 3);
    QCOMPARE(rig.equipment().p3().decoderId(), 268307u);

    rig.engine().openRaceScreen();
    QTRY_COMPARE_WITH_TIMEOUT(rig.engine().values().RaceState, RaceStates::Running, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= 3, 10000);

    // The decoder drops the connection and refuses new ones for two seconds, its cars going on.
    const int lapsAtDrop = rig.fewestLaps();
    sim.command("drop");
    QTRY_COMPARE_WITH_TIMEOUT(rig.countDevice(), 0, 3000);
    QCOMPARE(rig.label("timingNoticeLB"), QString::fromLatin1(DecoderLinkLostMessage));
    QVERIFY(rig.engine().values().ManualKeys);
    // Found again by itself; what it counted meanwhile is asked for and comes back.
    QTRY_COMPARE_WITH_TIMEOUT(rig.countDevice(), 3, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(
        rig.label("timingNoticeLB").startsWith(QStringLiteral("Passings recovered")), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= lapsAtDrop + 6, 15000);

    // Every lap counted once with the decoder's own time: a lost passing would leave a lap of
    // two, a passing counted twice or out of its order a lap off its length.
    QVERIFY(rig.lapsWithin(1.1 - 0.002, 1.3 + 0.002));
    const P3PassingTracker& tracker = rig.equipment().p3().tracker();
    QVERIFY(tracker.recovered() >= 3);
    QCOMPARE(tracker.missing(), uint64_t(0));
    QCOMPARE(tracker.abandoned(), uint64_t(0));
    QCOMPARE(rig.notes(ComputerTimeNote), 0);
    QCOMPARE(rig.equipment().p3().frameCounts().dropped(), size_t(0));
}

void DecoderLinksTest::silentAmbrcLinkIsLostAndFoundAgain() {
    // A decoder behind a cut cable: the connection stays open, nothing comes for twelve seconds,
    // and the question the silence brings after three goes unanswered.
    Simulator sim({"--tcp", "0", "--id", "42", "--cars", "3", "--lap", "1.2", "--spread", "0.1",
                   "--noise", "1", "--down", "12"});
    const QString address = sim.address();
    Rig rig(2, IpAddressPortEntry, {4000001, 4000002, 4000003});
    rig.program.settings.ipAddress = address.toStdString();
    rig.program.settings.decoderSilence = 3;
    rig.equipment().Setupcountingequipment();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
    QCOMPARE(rig.equipment().decoderId(), 42);
    rig.engine().openRaceScreen();
    QTRY_COMPARE_WITH_TIMEOUT(rig.engine().values().RaceState, RaceStates::Running, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= 2, 10000);
    QCOMPARE(rig.countDevice(), 2);

    sim.command("mute");
    QTRY_COMPARE_WITH_TIMEOUT(rig.countDevice(), 0, 11000);
    QCOMPARE(rig.label("timingNoticeLB"), QString::fromStdString(decoderSilentMessage(3)));
    QVERIFY(rig.engine().values().ManualKeys);
    // Tried again by itself until the decoder speaks again; then it counts the laps again.
    QTRY_COMPARE_WITH_TIMEOUT(rig.countDevice(), 2, 20000);
    QCOMPARE(rig.label("timingNoticeLB"), QString::fromLatin1(DecoderBackMessage));
    const int laps = rig.fewestLaps();
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= laps + 2, 10000);
}

void DecoderLinksTest::quietDecoderIsAskedNotLost_data() {
    QTest::addColumn<bool>("overTcp");
    QTest::addRow("TCP") << true;
    QTest::addRow("serial") << false;
}

void DecoderLinksTest::quietDecoderIsAskedNotLost() {
    // A decoder that sends nothing between passings, eight seconds apart, with the silence taken
    // up after three: each time it is asked, it answers, and stays the one that counts.
    QFETCH(bool, overTcp);
    QStringList link = overTcp ? QStringList{"--tcp", "0"} : QStringList{"--pty"};
    Simulator sim(link << "--id"
                       << "42"
                       << "--cars"
                       << "2"
                       << "--lap"
                       << "8"
                       << "--spread"
                       << "0.1"
                       << "--noise"
                       << "0");
    const QString address = sim.address();
    Rig rig(2, overTcp ? IpAddressPortEntry : 1, {4000001, 4000002});
    rig.program.settings.ipAddress = address.toStdString();
    if (!overTcp) rig.host->comPorts().setDevice(2, address);
    rig.program.settings.decoderSilence = 3;
    rig.equipment().Setupcountingequipment();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
    QCOMPARE(rig.equipment().decoderId(), 42);
    rig.engine().openRaceScreen();
    QTRY_COMPARE_WITH_TIMEOUT(rig.engine().values().RaceState, RaceStates::Running, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= 3, 40000);
    QCOMPARE(rig.countDevice(), 2);
    QCOMPARE(rig.label("timingNoticeLB"), QString());
    QVERIFY(rig.lapsWithin(8.0 - 0.1 - 0.002, 8.0 + 0.1 + 0.002));
    QCOMPARE(rig.notes(ComputerTimeNote), 0);
}

void DecoderLinksTest::reconnectButtonResumesCountingAfterAFailedAttempt() {
    Simulator sim({"--tcp", "0", "--id", "42", "--cars", "3", "--lap", "1.2", "--spread", "0.1",
                   "--down", "12"});
    const QString address = sim.address();
    Rig rig(2, IpAddressPortEntry, {4000001, 4000002, 4000003});
    rig.program.settings.ipAddress = address.toStdString();
    rig.wireReconnect();
    rig.equipment().Setupcountingequipment();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
    rig.engine().openRaceScreen();
    QTRY_COMPARE_WITH_TIMEOUT(rig.engine().values().RaceState, RaceStates::Running, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= 2, 10000);

    QElapsedTimer sinceDrop;
    sim.command("drop");
    sinceDrop.start();
    QTRY_COMPARE_WITH_TIMEOUT(rig.countDevice(), 0, 3000);
    QVERIFY(!rig.reconnectButton()->isHidden());

    // Pressed while the decoder is still away: it hangs up at once, the window says so, and
    // the button stays.
    rig.reconnectButton()->click();
    QVERIFY(rig.search.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
    QCOMPARE(rig.search.findChild<QLabel*>(QStringLiteral("ambsearchLB"))->text(),
             QString::fromLatin1(DecoderNotFoundMessage));
    QCOMPARE(rig.countDevice(), 0);
    QVERIFY(!rig.reconnectButton()->isHidden());

    // Pressed again once the decoder is back (before its next attempt of its own, about 14 s
    // after the drop): it counts again.
    QTRY_VERIFY_WITH_TIMEOUT(sinceDrop.elapsed() > 12500, 14000);
    QCOMPARE(rig.countDevice(), 0);
    rig.reconnectButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(rig.countDevice(), 2, 3000);
    QVERIFY(rig.reconnectButton()->isHidden());
    QVERIFY(!rig.search.isVisible());
    const int laps = rig.fewestLaps();
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= laps + 2, 10000);
}

void DecoderLinksTest::tcpRecordsSplitAcrossReadsArriveWhole() {
    // A decoder that answers the empty command, then sends a passing in two pieces and two
    // records in one piece.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    Rig rig(2, IpAddressPortEntry, {4012345});
    rig.program.settings.ipAddress = "127.0.0.1:" + std::to_string(server.serverPort());
    TransponderTestPage page(rig.equipment().transponderTest());
    rig.equipment().transponderTest().setView(&page);

    rig.equipment().Setupcountingequipment();
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), 3000);
    QTcpSocket* decoder = server.nextPendingConnection();
    QTRY_VERIFY_WITH_TIMEOUT(decoder->bytesAvailable() >= 3, 3000);
    QCOMPARE(decoder->readAll(), QByteArray("\x01\r\n"));
    decoder->write("\x01$\t9\t0\t0\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);

    rig.equipment().transponderTest().settingsActivated();
    decoder->write("\x01@\t9\t1\t40123");
    decoder->flush();
    QTest::qWait(100);
    decoder->write(
        "45\t12.345\t5\t80\t2\r\n\x01#\t9\t0\t17\r\n\x01@\t9\t1\t4000001\t13.5\t6\t70\r\n");
    auto* memo = page.findChild<QPlainTextEdit*>(QStringLiteral("CheckstranMemo"));
    QTRY_COMPARE_WITH_TIMEOUT(memo->blockCount(), 2, 3000);
    QCOMPARE(memo->toPlainText(),
             QStringLiteral("Driver 1 Tx#:4012345 Time:12.345 Hits:5 Signal:80 Batt: Normal\n"
                            "Tx#:4000001 Time:13.5 Hits:6 Signal:70"));
    QCOMPARE(page.findChild<QLabel*>(QStringLiteral("checktranmessagelb"))->text(),
             QStringLiteral("(AMBrc Status)  Noise Level:17"));
    rig.equipment().transponderTest().settingsClosed();
    rig.equipment().transponderTest().setView(nullptr);
}

void DecoderLinksTest::serialPseudoTerminalCountsARace_data() {
    QTest::addColumn<QString>("dialect");
    QTest::addRow("AMBrc") << "ambrc";
    QTest::addRow("System 20") << "s20";
    QTest::addRow("EX20") << "ex20";
    QTest::addRow("Italian") << "italian";
}

void DecoderLinksTest::serialPseudoTerminalCountsARace() {
    QFETCH(QString, dialect);
    Simulator sim(
        {"--pty", "--dialect", dialect, "--cars", "3", "--lap", "1.2", "--spread", "0.1"});
    const QString device = sim.address();
    QVERIFY(device.startsWith(QStringLiteral("/dev/")));
    const bool ambrc = dialect == QStringLiteral("ambrc");
    const bool ex20 = dialect == QStringLiteral("ex20");
    const bool italian = dialect == QStringLiteral("italian");
    const std::initializer_list<int32_t> ambrcTransponders = {4000001, 4000002, 4000003};
    const std::initializer_list<int32_t> ex20Transponders = {1001, 1002, 1003};
    Rig rig(ambrc ? 2 : 1, 1,
            ambrc  ? ambrcTransponders
            : ex20 ? ex20Transponders
                   : std::initializer_list<int32_t>{0, 0, 0});
    rig.program.settings.ex20 = ex20;
    rig.program.settings.italy = italian;
    rig.host->comPorts().setDevice(2, device);

    rig.equipment().Setupcountingequipment();
    QCOMPARE(rig.label("timingt"), QString::fromLatin1(ambrc ? "AMBrc(Com2)" : "AMB20(Com2)"));
    QVERIFY(rig.host->decoderPort().isOpen());
    if (italian) {
        // No time-out: the operator closes the window.
        QTest::qWait(2000);
        QVERIFY(rig.search.isVisible());
        rig.search.close();
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
        QVERIFY(!rig.search.isVisible());
    }
    QCOMPARE(settingOf(rig.engine().countDevice()), ambrc ? 2 : 1);
    if (ambrc) QCOMPARE(rig.equipment().decoderId(), 7);
    QVERIFY(rig.host->decoderPort().isOpen());

    rig.engine().openRaceScreen();
    QTRY_COMPARE_WITH_TIMEOUT(rig.engine().values().RaceState, RaceStates::Running, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.fewestLaps() >= 2, 10000);
    QCOMPARE(rig.engine().values().race_drivers.size(), size_t(3));

    if (!ambrc) return;
    // The adapter is pulled out: counting goes on with the keys.
    sim.stop();
    QTRY_COMPARE_WITH_TIMEOUT(settingOf(rig.engine().countDevice()), 0, 3000);
    QVERIFY(!rig.host->decoderPort().isOpen());
    QVERIFY(rig.engine().values().ManualKeys);
    QCOMPARE(rig.label("timingNoticeLB"), QString::fromLatin1(DecoderLinkLostMessage));
}

void DecoderLinksTest::noDecoderOnThePortFallsBackToManual() {
    // A port with nothing on the other end: the check runs its ten steps and gives up.
    Simulator sim({"--pty", "--dialect", "ambrc", "--cars", "0", "--id", "3"});
    const QString device = sim.address();
    Rig rig(1, 2, {});
    rig.host->comPorts().setDevice(3, device);
    rig.equipment().Setupcountingequipment();
    QCOMPARE(rig.label("timingt"), QStringLiteral("AMB20(Com3)"));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.equipment().presenceCheckRunning(), 3000);
    QCOMPARE(settingOf(rig.engine().countDevice()), 0);
    QCOMPARE(rig.label("timingt"), QStringLiteral("Manual Timing"));
    QVERIFY(rig.search.isVisible());
    QCOMPARE(rig.search.findChild<QLabel*>(QStringLiteral("ambsearchLB"))->text(),
             QString::fromLatin1(DecoderNotFoundMessage));

    // A port that does not exist: the message at once.
    rig.host->comPorts().setDevice(4, QStringLiteral("/dev/vexa-no-such-port"));
    rig.program.settings.count1ComPort = 3;
    rig.equipment().setCountDevice(CountingDevice::System20);
    rig.equipment().Setupcountingequipment();
    QCOMPARE(rig.ports.texts("message"), std::vector<std::string>{PortNotFoundMessage});
    QCOMPARE(rig.label("timingt"), QStringLiteral("Manual Timing"));
}

void DecoderLinksTest::trackControllerOverPseudoTerminal() {
    int controller = -1;
    int device = -1;
    char name[256] = {};
    QCOMPARE(openpty(&controller, &device, name, nullptr, nullptr), 0);
    termios raw{};
    tcgetattr(device, &raw);
    cfmakeraw(&raw);
    tcsetattr(device, TCSANOW, &raw);
    ::close(device);
    fcntl(controller, F_SETFL, fcntl(controller, F_GETFL, 0) | O_NONBLOCK);
    std::string received;
    auto receive = [&] {
        char buffer[512];
        for (ssize_t n; (n = ::read(controller, buffer, sizeof buffer)) > 0;)
            received.append(buffer, static_cast<size_t>(n));
        return QByteArray::fromStdString(received);
    };

    Rig rig(0, 0, {4000001});
    rig.program.settings.rcioComPort = 3;
    rig.host->comPorts().setDevice(3, QString::fromLatin1(name));
    rig.engine().openRaceScreen();
    QVERIFY(rig.host->controllerPort().isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(receive(), QByteArray("#@00\r"), 2000);
    // The first second of a three-second countdown: its time, the red light, and the mass-start
    // light of second 3.
    QTRY_COMPARE_WITH_TIMEOUT(receive(), QByteArray("#@00\r#$00-003\r#@00\r#@101\r#@321\r"), 3000);

    const char weather[] = "%012.5\r\n%1-88.8\r%4";
    QCOMPARE(::write(controller, weather, sizeof weather - 1), ssize_t(sizeof weather - 1));
    QTRY_COMPARE_WITH_TIMEOUT(rig.label("airtempLB"),
                              QString::fromLatin1("Air Temp:12.5\xB0"
                                                  "C"),
                              2000);
    QCOMPARE(::write(controller, "55\r", 3), ssize_t(3));
    QTRY_COMPARE_WITH_TIMEOUT(rig.label("humidityLB"), QStringLiteral("Humidity:55%"), 2000);
    QVERIFY(rig.label("tracktempLB").isEmpty());
    rig.station.reset(); // the race and its countdown stop before the controller goes
    ::close(controller);
}

QTEST_MAIN(DecoderLinksTest)
#include "decoder_links_test.moc"
