#include "files/settings_file.h"
#include "program/event_saves.h"
#include "race/race_engine.h"
#include "support/loopback_ambrc_decoder.h"
#include "support/restarted_session.h"
#include "timing/counting_equipment.h"

#include <QtTest>

#include <algorithm>

using namespace vexa;

// A race counted by an AMBrc decoder whose program stopped and was started again: the race resumes
// with the decoder's clock as it ran, never restarted, so every lap after the resume is timed by
// the decoder exactly as in a race never stopped.
class DecoderResumeTest : public QObject {
    Q_OBJECT

    using Restart = test::RestartedSession;
    static constexpr int64_t Wall = test::FirstStartWall;

    static int transponder(char car) { return 4'000'000 + (car - '0'); }

    // Heat 1's cars carry transponders 4000001 to 4000003 and are counted by the decoder over TCP.
    static bool countedBy(test::LoopbackAmbrcDecoder& decoder, test::RaceSession& s) {
        test::onTheWallClock(s, [&] {
            ProgSettings& settings = s.program.settings;
            settings.countDevice = 2;
            settings.count1ComPort = IpAddressPortEntry;
            settings.ipAddress = decoder.address();
            for (char car : {'1', '2', '3'})
                s.program.event.competitor(car - '0').transponder = transponder(car);
            QVERIFY(saveCompetitors(s.program));
            QVERIFY(saveSettingsFile(s.program.home.iniFile(), settings));
        });
        decoder.wallMs = [clock = &s.clock] { return Wall + clock->milliseconds(); };
        return found(*s.session);
    }
    static bool found(Session& session) {
        session.setUpCountingEquipment();
        return QTest::qWaitFor([&] { return !session.equipment().presenceCheckRunning(); }) &&
               session.equipment().countDevice() == CountingDevice::Ambrc;
    }

    // Runs the clock on to `ms` a whole second at a time, so that the decoder takes each command
    // at the second it was sent, and its answer to what the silence makes the program ask comes
    // before the clock moves on.
    template <class Run> static void runTo(Run& r, int64_t ms) {
        const SilenceWatch& silence = r.session->equipment().silenceWatch();
        while (r.clock.milliseconds() < ms) {
            r.scheduler.advanceTo(std::min(ms, (r.clock.milliseconds() / 1000 + 1) * 1000));
            QTest::qWait(1);
            QVERIFY(QTest::qWaitFor([&] { return !silence.asking(); }, 10000));
        }
    }
    template <class Run> static void runToRaceSecond(Run& r, double t) {
        runTo(r,
              r.clock.milliseconds() + std::llround((t - r.session->race().RaceTime()) * 1000.0));
    }
    // `car` crosses the loop at race second `t`, its record reaching the program a moment later
    // (a little longer for a higher lap count), so that the decoder's times are not the program's
    // clock; waits until the program has taken the passing.
    template <class Run>
    static void cross(test::LoopbackAmbrcDecoder& decoder, Run& r, double t, char car) {
        const RaceEngine& engine = r.session->race();
        const RaceDriver& d = engine.values().race_drivers.at(static_cast<size_t>(car - '1'));
        const int before = d.lapcount;
        const double delay = 0.1 + 0.013 * before;
        runToRaceSecond(r, t + delay);
        decoder.cross(transponder(car), delay);
        QVERIFY(QTest::qWaitFor([&] { return d.lapcount > before || d.finished(); }, 10000));
    }
    // The race's laps from race second `from` up to `to`, as they cross.
    template <class Run>
    static void crossings(test::LoopbackAmbrcDecoder& decoder, Run& r, double from, double to) {
        for (const auto& [t, car] : test::thirtySecondLaps(from, to)) cross(decoder, r, t, car);
    }

    // Runs on until the race is stored (before the next one is set up).
    template <class Run> static void untilStored(Run& r) {
        const RaceEngine& engine = r.session->race();
        for (int s = 0; s < 120 && engine.completedRaces() == 0; ++s)
            runTo(r, r.clock.milliseconds() + 1000);
        QCOMPARE(engine.completedRaces(), 1);
    }

    // Each car's lap count and lap times once the race is stored.
    struct CarLaps {
        int laps;
        std::vector<double> times;
        bool operator==(const CarLaps&) const = default;
    };
    static std::vector<CarLaps> lapTimes(const RaceEngine& engine) {
        std::vector<CarLaps> out;
        for (const RaceDriver& d : engine.values().race_drivers)
            out.push_back({d.lapcount, std::vector<double>(d.laptimes.begin() + 1,
                                                           d.laptimes.begin() + 1 + d.lapcount)});
        return out;
    }

  private slots:
    void resumedRaceKeepsTheDecodersClock_data() {
        QTest::addColumn<double>("stop");
        QTest::addColumn<double>("back");
        QTest::addRow("mid-race") << 150.0 << 175.0;
        QTest::addRow("a second after the start") << 1.0 << 40.0;
        QTest::addRow("just before the start, after the set-up") << -2.0 << 40.0;
    }

    // The program stops at race second `stop` and is back at `back`; the crossings in between
    // reach no program (an AMBrc decoder keeps none), in the unbroken race too.
    void resumedRaceKeepsTheDecodersClock() {
        QFETCH(double, stop);
        QFETCH(double, back);
        std::vector<CarLaps> expected;
        std::array<std::pair<int, double>, 3> expectedResults;
        {
            test::LoopbackAmbrcDecoder decoder;
            test::RaceSession unbroken(3);
            QVERIFY(countedBy(decoder, unbroken));
            unbroken.session->showMainWindow();
            unbroken.openRaceScreen();
            runTo(unbroken, 61'000);
            QCOMPARE(unbroken.engine().values().RaceState, RaceStates::Running);
            crossings(decoder, unbroken, 0, stop);
            crossings(decoder, unbroken, back, 330);
            untilStored(unbroken);
            expected = lapTimes(unbroken.engine());
            expectedResults = test::roundOneResults(unbroken.program);
            QCOMPARE(expectedResults[0].first, 10);
        }

        test::LoopbackAmbrcDecoder decoder;
        test::RaceSession first(3);
        QVERIFY(countedBy(decoder, first));
        first.session->showMainWindow();
        first.openRaceScreen();
        runTo(first, 61'000 + std::min<int64_t>(0, std::llround(stop * 1000)));
        crossings(decoder, first, 0, stop);
        if (stop > 0) runToRaceSecond(first, stop);
        const size_t commandsBefore = decoder.commands.size();
        first.session.reset();
        QTRY_VERIFY(!decoder.connected());

        const int64_t down = 61'000 + std::llround(back * 1000);
        Restart again(first.program, down, {true}, [&](Restart& r) {
            decoder.wallMs = [&r, down] { return Wall + down + r.clock.milliseconds(); };
            QVERIFY(found(*r.session));
        });
        QCOMPARE(again.engine().values().RaceState, RaceStates::Running);
        QVERIFY(std::abs(again.engine().RaceTime() - back) < 0.01);
        crossings(decoder, again, back, 330);
        untilStored(again);

        // Nothing the program sent after it started again restarted the decoder's clock.
        const std::vector<int> sent(decoder.commands.begin() + commandsBefore,
                                    decoder.commands.end());
        QVERIFY(std::count(sent.begin(), sent.end(), 24) == 0);
        QVERIFY(std::count(sent.begin(), sent.end(), 11) == 0);
        QVERIFY(std::count(sent.begin(), sent.end(), 14) > 0); // switched on all the same
        QCOMPARE(lapTimes(again.engine()), expected);
        QCOMPARE(test::roundOneResults(first.program), expectedResults);
    }
};

QTEST_MAIN(DecoderResumeTest)
#include "decoder_resume_test.moc"
