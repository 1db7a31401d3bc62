// The real program, counting a race with the decoder simulator over TCP, killed a second after
// the race started and started again: the race is resumed with "Yes", runs to its end and is
// stored; nothing the program sends restarts the decoder's clock, and every lap stored is the
// decoder's.
#include "files/event_files.h"
#include "files/freq_names_file.h"
#include "files/settings_file.h"
#include "program/event_saves.h"
#include "program/event_store.h"
#include "program/program.h"
#include "support/program_desktop.h"
#include "timing/counting_equipment.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

#ifndef VEXA_APP_PATH
#define VEXA_APP_PATH ""
#endif
#ifndef VEXA_DECODER_SIM
#define VEXA_DECODER_SIM ""
#endif

using namespace vexa;
using test::ProgramDesktop;

namespace {

constexpr int Cars = 3;
constexpr int FirstTransponder = 4000001;

// Whether each crossing that counted a lap came at a time the decoder gave the car: the race's
// time of a crossing (its laps added up) is the decoder's time of one of the car's passings. The
// decoder's clock started with the race; a lap timed by the PC's clock, or by a decoder clock
// started again, is off by milliseconds or more. Times on the page have three decimals, as the
// decoder's.
bool crossingsAtPassings(const QList<double>& laps, const QList<double>& passings, QString& why) {
    double crossing = 0.0;
    for (qsizetype n = 0; n < laps.size(); ++n) {
        crossing += laps[n];
        const auto at = [crossing](double passing) {
            return std::abs(passing - crossing) < 0.0015;
        };
        if (std::none_of(passings.begin(), passings.end(), at)) {
            why = QString("lap %1 ends at %2 s, when the decoder had no passing of the car")
                      .arg(n + 1)
                      .arg(crossing, 0, 'f', 3);
            return false;
        }
    }
    return true;
}

} // namespace

class KilledAtStartTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    ProgramDesktop desktop_;
    QProcess simulator_;
    QStringList decoderLog_; // what the simulator printed, line by line
    QTcpSocket listener_;    // a second client of the decoder, hearing what it sends
    QByteArray heard_;       // what the listener has not yet read as records
    // The decoder's times of each transponder's passings since its clock last started.
    QMap<int, QList<double>> passings_;

    // The program on the desktop, started on the event "Day".
    void start(QProcess& program) {
        ProgramDesktop::endsWithTest(program);
        program.setProcessEnvironment(desktop_.environment());
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(VEXA_APP_PATH, {"--home", home_.path(), "--event", "Day"});
        QVERIFY(program.waitForStarted());
    }
    // The program's name on the bus, once it answers there (not `other`'s).
    QString onTheBus(const QString& other = {}) {
        QString service;
        const bool found = QTest::qWaitFor(
            [&] { return !(service = desktop_.programOnTheBus(other)).isEmpty(); }, 60000);
        return found ? service : QString();
    }
    int decoderCommands(const QString& number, qsizetype from = 0) const {
        int count = 0;
        for (qsizetype i = from; i < decoderLog_.size(); ++i)
            if (decoderLog_[i] == "command " + number ||
                decoderLog_[i].startsWith("command " + number + " "))
                ++count;
        return count;
    }
    // The passings the listener heard: a time below the one before is the decoder's clock
    // started again, and what came before it is of another clock.
    void hear() {
        heard_ += listener_.readAll();
        for (qsizetype end; (end = heard_.indexOf("\r\n")) >= 0; heard_.remove(0, end + 2)) {
            const QList<QByteArray> fields = heard_.left(end).split('\t');
            if (fields.size() < 5 || !fields[0].endsWith("\x01@")) continue;
            const double time = fields[4].toDouble();
            for (const QList<double>& times : std::as_const(passings_))
                if (!times.isEmpty() && time < times.last()) {
                    passings_.clear();
                    break;
                }
            passings_[fields[3].toInt()] << time;
        }
    }
    // The lap times of the race's page, car by car.
    QList<QList<double>> pageLapTimes() const {
        QFile page(home_.filePath("event files/Day/html/h1r1.html"));
        if (!page.open(QIODevice::ReadOnly)) return {};
        const QString text = QString::fromLatin1(page.readAll());
        const QString table = text.mid(text.indexOf("Race Laptimes"));
        QList<QList<double>> cars(Cars);
        const QRegularExpression row("<TR>(.*?)</TR>");
        const QRegularExpression cell("<TD[^>]*>([^<]*)</TD>");
        for (auto r = row.globalMatch(table); r.hasNext();) {
            const QString line = r.next().captured(1);
            int car = 0;
            for (auto c = cell.globalMatch(line); c.hasNext() && car < Cars; ++car) {
                bool ok = false;
                const double t = c.next().captured(1).trimmed().toDouble(&ok);
                if (ok) cars[car] << t;
            }
        }
        return cars;
    }
    bool stored() const {
        EventData event;
        readResults(home_.filePath("event files/Day/eventfile.qrf").toStdString(), event);
        for (int id = 1; id <= Cars; ++id)
            if (event.cptres[id].laps[1] <= 0) return false;
        return true;
    }

  private slots:
    void initTestCase() {
        if (!ProgramDesktop::available())
            QSKIP("needs Xvfb and dbus-daemon (scripts/setup.sh installs them)");
        if (QString(VEXA_APP_PATH).isEmpty() || QString(VEXA_DECODER_SIM).isEmpty())
            QSKIP("needs the program and the decoder simulator built beside the test");
        QString failure;
        QVERIFY2(desktop_.start(failure), qPrintable(failure));

        // An AMBrc decoder on TCP that sends nothing between passings; three cars lapping in 4 s
        // give or take 0.1.
        ProgramDesktop::endsWithTest(simulator_);
        simulator_.start(VEXA_DECODER_SIM,
                         {"--tcp", "0", "--id", "42", "--cars", QString::number(Cars), "--lap", "4",
                          "--spread", "0.1", "--noise", "0", "--duration", "400"});
        QVERIFY(simulator_.waitForReadyRead(5000));
        const QString address =
            QString::fromLocal8Bit(simulator_.readLine()).trimmed().section(QLatin1Char(' '), 1);
        QVERIFY2(address.startsWith("127.0.0.1:"), qPrintable(address));
        connect(&simulator_, &QProcess::readyReadStandardOutput, this, [this] {
            while (simulator_.canReadLine())
                decoderLog_ << QString::fromLocal8Bit(simulator_.readLine()).trimmed();
        });
        connect(&listener_, &QTcpSocket::readyRead, this, [this] { hear(); });
        listener_.connectToHost("127.0.0.1", address.section(QLatin1Char(':'), 1).toUShort());
        QVERIFY(listener_.waitForConnected(5000));

        // A one-minute heat of the three cars after a 6 s countdown; laps of 2 s and more count.
        Program program;
        program.home.root = home_.path().toStdString();
        startProgram(program);
        QVERIFY(saveFreqNames(program.home.freqNamesFile(), program.freqnames).ok);
        ProgSettings& s = program.settings;
        s.countDevice = 2;
        s.count1ComPort = IpAddressPortEntry;
        s.ipAddress = address.toStdString();
        s.printRaceResults = false;
        s.heatMass = true;
        s.raceInterval = "6";
        s.raceSetup = "4";
        s.minLap = "2";
        s.classes[1].name = "Buggy";
        s.classes[1].qualMinutes = 1;
        s.classes[1].tenSecCountdown = false;
        for (int id = 1; id <= Cars; ++id) {
            comp_ent& c = program.event.cpts[id];
            c.name = "Driver " + std::to_string(id);
            c.classno = 1;
            c.transponder = FirstTransponder + id - 1;
            program.event.heats.setSlotText(1, id, std::to_string(id));
        }
        QVERIFY(createEvent(program, "Day").ok);
        QVERIFY(saveSettingsFile(program.home.iniFile(), s).ok);
        QVERIFY(saveCompetitors(program).ok);
    }

    void cleanupTestCase() {
        simulator_.kill();
        simulator_.waitForFinished();
    }

    void resumedWithTheDecodersClockAsItRan() {
        QProcess first;
        start(first);
        QString service = onTheBus();
        QVERIFY2(!service.isEmpty(), "the program did not come on the accessibility bus");
        // The messages of the start are answered; then "Race" opens the race screen and starts
        // the countdown. (A condition that presses a button is waited for with qWaitFor: the
        // QTRY macros evaluate it again once it holds.)
        const bool raced = QTest::qWaitFor(
            [&] { return !desktop_.answer(service, "OK") && desktop_.press(service, "Race"); },
            60000);
        QVERIFY2(raced, qPrintable(desktop_.describe(service)));
        // The decoder is switched on for booking in, then again as the race starts (its clock
        // starting with the race): within 2 s of that the program is killed.
        QTRY_VERIFY_WITH_TIMEOUT(decoderCommands("24") >= 2, 30000);
        QElapsedTimer sinceStart;
        sinceStart.start();
        QTest::qWait(1000);
        first.kill();
        QVERIFY2(sinceStart.elapsed() < 2000, "the program was killed too late");
        QVERIFY(first.waitForFinished());
        const qsizetype killedAt = decoderLog_.size();

        QProcess again;
        start(again);
        service = onTheBus(service);
        QVERIFY2(!service.isEmpty(), "the program did not come on the bus again");
        // "Yes" resumes the race; the other messages are acknowledged. The race runs on to its
        // end and is stored.
        const bool resumed = QTest::qWaitFor(
            [&] { return !desktop_.answer(service, "OK") && desktop_.answer(service, "Yes"); },
            60000);
        QVERIFY2(resumed, qPrintable(desktop_.describe(service)));
        const bool raceStored = QTest::qWaitFor(
            [&] {
                if (stored()) return true;
                desktop_.answer(service, "OK");
                return false;
            },
            120000);
        QVERIFY2(raceStored, qPrintable(desktop_.describe(service) + decoderLog_.join("\n")));
        again.kill();
        again.waitForFinished();

        // Nothing restarted the decoder's clock after the kill; it was switched on again.
        QCOMPARE(decoderCommands("24", killedAt), 0);
        QCOMPARE(decoderCommands("11", killedAt), 0);
        QVERIFY(decoderLog_.indexOf("command 14 (1,0)", killedAt) >= 0);
        // Every lap is the decoder's: the laps of a car add up to its passings as the decoder
        // timed them, a lap over the stop spanning any passing the decoder sent to no one (an
        // AMBrc decoder keeps none).
        hear();
        const QList<QList<double>> laps = pageLapTimes();
        for (int car = 0; car < Cars; ++car) {
            // A minute of laps of 4 s, less those of the stop.
            QVERIFY2(laps[car].size() >= 10,
                     qPrintable(QString("car %1: %2 laps").arg(car + 1).arg(laps[car].size())));
            QString why;
            QVERIFY2(crossingsAtPassings(laps[car], passings_.value(FirstTransponder + car), why),
                     qPrintable(QString("car %1: %2").arg(car + 1).arg(why)));
        }
    }
};

QTEST_MAIN(KilledAtStartTest)
#include "killed_at_start_test.moc"
