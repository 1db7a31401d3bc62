#include "files/event_files.h"
#include "files/file_io.h"
#include "files/settings_file.h"
#include "journal/journal_resume.h"
#include "journal/race_inputs.h"
#include "journal/race_resume.h"
#include "program/event_saves.h"
#include "program/message_desk.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "replay/journal_replay.h"
#include "replay/race_correction.h"
#include "session/session.h"
#include "support/app_test_support.h"
#include "support/loopback_p3_decoder.h"
#include "support/print_recorder.h"
#include "support/restarted_session.h"
#include "timing/counting_equipment.h"
#include "ui/main/main_window.h"

#include "race/race_session.h"
#include "support/test_session_ports.h"

#include <QLabel>
#include <QtTest>

#include <array>

using namespace vexa;

// The program journals each race; started again on an event whose race it left unfinished, it
// asks the race director whether to resume the race, store it as it stood, or leave it.
class RaceJournalTest : public QObject {
    Q_OBJECT

    static constexpr int64_t Wall = test::FirstStartWall;
    using Restart = test::RestartedSession;

    // The results of a race run again headless from its journal.
    static std::array<std::pair<int, double>, 3> replayed(const std::filesystem::path& journal) {
        OpenedJournalReplay opened = openJournalReplay(journal, openJournalEvent);
        if (!opened.replay) return {};
        opened.replay->run(nullptr, nullptr, {});
        return test::roundOneResults(opened.replay->program);
    }

    // The results stored after the corrections are made one after another from the journal, as
    // the "Correct Results" window makes them.
    static std::array<std::pair<int, double>, 3> correct(const std::filesystem::path& journal,
                                                         std::initializer_list<const char*> words) {
        for (const char* text : words) {
            OpenedJournalReplay opened = openJournalReplay(journal, openJournalEvent);
            const std::vector<Correction> correction = readCorrections(text);
            if (!opened.replay || correction.size() != 1) return {};
            const RaceCorrectionResult done = correctStoredRace(
                *opened.replay, correction[0], "marshal's report", [] { return LocalMoment{}; });
            if (!done.outcome) qWarning() << done.outcome.message.c_str();
        }
        Program stored;
        readResults(journal.parent_path() / "eventfile.qrf", stored.event);
        return test::roundOneResults(stored);
    }

    // The first start, stopped at race second 150 without its race stored.
    static std::unique_ptr<test::RaceSession> stoppedMidRace() {
        auto first = std::make_unique<test::RaceSession>(3);
        test::onTheWallClock(*first);
        first->session->showMainWindow();
        first->openRaceScreen();
        first->runToStart();
        for (const auto& [t, car] : test::thirtySecondLaps(0, 150)) {
            first->runToRaceSecond(t);
            first->session->raceInputs().key(car);
        }
        first->runToRaceSecond(150);
        first->session.reset(); // the journal holds what was handed over
        return first;
    }

    static int64_t ms(double seconds) { return std::llround(seconds * 1000.0); }
    static uint32_t transponder(char car) { return 4'000'000 + static_cast<uint32_t>(car - '0'); }

    // The decoder is found as at the program's start.
    static bool findDecoder(Session& session) {
        session.setUpCountingEquipment();
        return QTest::qWaitFor([&] { return !session.equipment().presenceCheckRunning(); }) &&
               session.equipment().countDevice() == CountingDevice::P3;
    }

    // Heat 1's cars carry transponders 4000001 to 4000003 and are counted by a P3 decoder whose
    // clock is the wall clock.
    static bool countedBy(test::LoopbackP3Decoder& decoder, test::RaceSession& s) {
        test::onTheWallClock(s, [&] {
            ProgSettings& settings = s.program.settings;
            settings.countDevice = 3;
            settings.ipAddress = decoder.address();
            settings.decoderSilence = 15;
            for (char car : {'1', '2', '3'})
                s.program.event.competitor(car - '0').transponder = transponder(car);
            // Saved as the drivers and Setup windows do.
            QVERIFY(saveCompetitors(s.program));
            QVERIFY(saveSettingsFile(s.program.home.iniFile(), settings));
        });
        decoder.wallMs = [clock = &s.clock] { return Wall + clock->milliseconds(); };
        return findDecoder(*s.session);
    }

    // Runs the clock on to `ms`, the decoder sending its status every 5 s on the way, as a P3
    // decoder does unasked: a link silent for 15 s while a race takes passings is taken for lost.
    template <class Run>
    static bool runWithStatus(test::LoopbackP3Decoder& decoder, Run& r, int64_t ms) {
        const P3Link& link = r.session->equipment().p3();
        while (r.clock.milliseconds() < ms) {
            r.scheduler.advanceTo(std::min(ms, r.clock.milliseconds() + 5000));
            const size_t before = link.frameCounts().frames;
            decoder.status();
            if (!QTest::qWaitFor([&] { return link.frameCounts().frames > before; })) return false;
        }
        return true;
    }
    // The same up to race second `t`.
    template <class Run>
    static bool runToRaceSecond(test::LoopbackP3Decoder& decoder, Run& r, double t) {
        return runWithStatus(decoder, r, r.clock.milliseconds() + ms(t - r.engine().RaceTime()));
    }

    // `car` crosses the loop now. Once the program has taken the passing, and every passing that
    // it showed to be missing, the decoder is no longer waited for.
    static bool crossLive(test::LoopbackP3Decoder& decoder, Session& session, char car) {
        const uint32_t number = decoder.cross(transponder(car), decoder.wallMs());
        const P3Link& link = session.equipment().p3();
        return QTest::qWaitFor([&] { return link.tracker().last() == number && !link.holding(); });
    }

    // The resumed race stands until the decoder has sent what it kept; then it goes live.
    static bool resumed(Restart& r) {
        for (int i = 0; i < 100 && r.session->resuming(); ++i) {
            QTest::qWait(20);
            r.scheduler.advanceBy(RaceResume::PollMs);
        }
        return !r.session->resuming();
    }

    // A P3 race with a crossing every 30 s per car, from its start to race second `to`.
    // With `bookedIn` each car crosses the loop once while the cars are booked in, ten seconds
    // before the start, which counts no lap.
    static void p3Race(test::LoopbackP3Decoder& decoder, test::RaceSession& s, double to,
                       bool bookedIn = false) {
        QVERIFY(countedBy(decoder, s));
        s.session->showMainWindow();
        s.openRaceScreen();
        while (s.engine().values().RaceState != RaceStates::Running) {
            QVERIFY(runWithStatus(decoder, s, s.clock.milliseconds() + 1000));
            if (bookedIn && s.engine().countdown() == 10)
                for (char car : {'1', '2', '3'}) QVERIFY(crossLive(decoder, *s.session, car));
        }
        for (const auto& [t, car] : test::thirtySecondLaps(0, to)) {
            QVERIFY(runToRaceSecond(decoder, s, t));
            QVERIFY(crossLive(decoder, *s.session, car));
        }
        QVERIFY(runToRaceSecond(decoder, s, to));
    }

  private slots:
    void resumedTheRaceEndsAsIfTheProgramHadRunOn() {
        // The program that never stopped, with no key pressed while the other was down.
        test::RaceSession unbroken(3);
        unbroken.session->showMainWindow();
        unbroken.openRaceScreen();
        unbroken.runToStart();
        const double raceStartMs = static_cast<double>(unbroken.engine().raceClockStartMs());
        for (const auto& [t, car] : test::thirtySecondLaps(0, 330)) {
            if (t >= 150 && t < 175) continue;
            unbroken.runToRaceSecond(t);
            unbroken.session->raceInputs().key(car);
        }
        unbroken.runFor(60);
        const auto expected = test::roundOneResults(unbroken.program);
        QCOMPARE(expected[0].first, 10);

        auto first = stoppedMidRace();
        // Back 25 s of race time later.
        const int64_t downAt = static_cast<int64_t>(raceStartMs) + 175'000;
        Restart again(first->program, downAt, {true});
        QVERIFY(again.op.shown.value(0).startsWith(
            "? Heat 1 of round 1 was not finished when the program stopped"));
        QCOMPARE(again.engine().values().RaceState, RaceStates::Running);
        QVERIFY(std::abs(again.engine().RaceTime() - 175.0) < 0.01);
        // The last key kept was car 3's at race second 143: 32 s without passings are told, on
        // the notice line and in the log, without a box that would take the lap counters' keys.
        QCOMPARE(again.op.shown.size(), 1);
        const std::vector<LoggedMessage>& log = again.session->messages().log();
        QVERIFY(!log.empty());
        QVERIFY2(QString::fromStdString(log.back().text)
                     .startsWith("The race resumed 32 s after the last input"),
                 log.back().text.c_str());
        for (const auto& [t, car] : test::thirtySecondLaps(175, 330)) {
            again.runToRaceSecond(t);
            again.session->raceInputs().key(car);
        }
        again.scheduler.advanceBy(60'000);
        QCOMPARE(test::roundOneResults(first->program), expected);
        // The race's journal, written again as it was replayed, is ended; the next heat's is
        // being written.
        const auto sitting = readLatestSitting(first->program.paths->dir);
        QCOMPARE(sitting.size(), size_t{2});
        QCOMPARE(sitting[0].path.filename().string(), std::string("h1r1.journal"));
        QVERIFY(sitting[0].journal.ended());
        QCOMPARE(sitting[1].path.filename().string(), std::string("h2r1.journal"));
        QVERIFY(!sitting[1].journal.ended());
    }

    void storedAsItStoodOrLeft() {
        {
            auto first = stoppedMidRace();
            Restart again(first->program, 300'000, {false, true});
            QCOMPARE(again.op.shown.value(1), QStringLiteral("? ") + StoreAsItStoodQuestion);
            again.scheduler.advanceBy(3000);
            // Five laps each were pressed before the stop.
            QCOMPARE(test::roundOneResults(first->program)[0].first, 5);
            QCOMPARE(test::roundOneResults(first->program)[2].first, 5);
            QVERIFY(readLatestSitting(first->program.paths->dir)
                        .front()
                        .journal.ended());
        }
        auto first = stoppedMidRace();
        {
            Restart again(first->program, 300'000, {false, false});
            QCOMPARE(again.engine().values().RaceState, RaceStates::NeverOpened);
            QCOMPARE(test::roundOneResults(first->program)[0].first, -1);
        }
        Restart third(first->program, 400'000, {});
        QVERIFY(third.op.shown.isEmpty()); // a race left is not offered again
    }

    // A long meeting leaves the journals of earlier runs beside the stopped one: two earlier runs,
    // and an older one whose journal lost records in its midst. The same resume is offered, and
    // the old damaged journal is neither told of nor set aside.
    void theSameResumeIsOfferedBesideJournalsOfEarlierRuns() {
        auto first = stoppedMidRace();
        const std::filesystem::path dir = first->program.paths->dir;
        const auto bytes = readWholeFile(dir / "h1r1.journal");
        QVERIFY(bytes);
        const std::string whole(bytes->begin(), bytes->end());
        const size_t body = whole.find('\n') + 1;
        JournalHeader header = *readJournal(whole).header;
        const int64_t sitting = header.sitting;
        std::string damaged;
        for (const auto& [name, back] : {std::pair{"h1r1-2.journal", 2000}, {"h1r1-3.journal", 1000},
                                         {"h1r1-4.journal", 3000}}) {
            header.sitting = sitting - back;
            std::string copy = journalHeaderRecord(header) + whole.substr(body);
            if (back == 3000) {
                copy[body + (copy.size() - body) / 2] ^= 1;
                QVERIFY(readJournal(copy).damaged);
                damaged = copy;
            }
            QVERIFY(writeFileAtomic(dir / name, copy).ok);
        }
        Restart again(first->program, 300'000, {true});
        QVERIFY(again.op.shown.value(0).startsWith(
            "? Heat 1 of round 1 was not finished when the program stopped"));
        QCOMPARE(again.op.shown.size(), 1);
        QCOMPARE(again.engine().values().RaceState, RaceStates::Running);
        const auto left = readWholeFile(dir / "h1r1-4.journal");
        QVERIFY(left);
        QCOMPARE(std::string(left->begin(), left->end()), damaged);
        QVERIFY(!std::filesystem::exists(dir / "h1r1-4.journal.damaged"));
    }

    // A journal that lost records in its midst (its race's set-up, or keys of the race) cannot
    // put the race back: it is neither resumed nor stored as it stood, the operator is told, and
    // it is set aside so that it is not offered again.
    void aDamagedJournalIsRefused() {
        for (const char* lost : {" setup ", " key "}) {
            auto first = stoppedMidRace();
            const std::filesystem::path file = first->program.paths->dir / "h1r1.journal";
            const auto bytes = readWholeFile(file);
            QVERIFY(bytes);
            std::string text(bytes->begin(), bytes->end());
            const size_t at = text.find(lost);
            QVERIFY(at != std::string::npos);
            text[at + 2] ^= 0x20; // the record's check sum no longer holds
            QVERIFY(writeFileAtomic(file, text));
            {
                Restart again(first->program, 300'000, {});
                QCOMPARE(again.op.shown.size(), 1);
                QVERIFY2(again.op.shown[0].startsWith("The race journal of Heat 1 of round 1 "
                                                      "(h1r1.journal) is damaged"),
                         qPrintable(again.op.shown[0]));
                QCOMPARE(again.engine().values().RaceState, RaceStates::NeverOpened);
                QCOMPARE(test::roundOneResults(first->program)[0].first, -1);
            }
            QVERIFY(std::filesystem::exists(file.string() + ".damaged"));
            Restart third(first->program, 400'000, {});
            QVERIFY(third.op.shown.isEmpty());
        }
    }

    void aResumedP3RaceGetsThePassingsOfTheStopFromTheDecoder() {
        std::array<std::pair<int, double>, 3> expected;
        {
            test::LoopbackP3Decoder decoder;
            test::RaceSession unbroken(3);
            p3Race(decoder, unbroken, 330);
            unbroken.runFor(60);
            expected = test::roundOneResults(unbroken.program);
            QCOMPARE(expected[0].first, 11);
            // The journal alone gives the same race again, as "Correct Results" and vexa-cli
            // replay run it: it keeps the equipment that counted the race.
            QCOMPARE(replayed(unbroken.program.paths->dir / "h1r1.journal"), expected);
            // ... and corrects it: a lap car 1 made at race second 186 added, car 2's fifth taken
            // out; the times are the last passings', which stand.
            const auto corrected = correct(unbroken.program.paths->dir / "h1r1.journal",
                                           {"add-lap 1 186", "remove-passing 2 5"});
            QCOMPARE(corrected[0], std::make_pair(12, expected[0].second));
            QCOMPARE(corrected[1], std::make_pair(10, expected[1].second));
            QCOMPARE(corrected[2], expected[2]);
        }
        // Back at race second 180 with nothing sent while the program started: the first passing
        // after the resume shows the gap. Back at 172: the crossings at 172 and 173 are sent while
        // it starts, before the race is resumed.
        for (const double back : {180.0, 172.0}) {
            test::LoopbackP3Decoder decoder;
            test::RaceSession first(3);
            p3Race(decoder, first, 150);
            const int64_t raceStartMs = first.engine().raceClockStartMs();
            first.session.reset();
            QTRY_VERIFY(!decoder.connected());
            for (const auto& [t, car] : test::thirtySecondLaps(150, back))
                decoder.cross(transponder(car), Wall + raceStartMs + ms(t));

            const int64_t down = raceStartMs + ms(back);
            Restart again(first.program, down, {true}, [&](Restart& r) {
                decoder.wallMs = [&r, down] { return Wall + down + r.clock.milliseconds(); };
                QVERIFY(findDecoder(*r.session));
                for (const auto& [t, car] : test::thirtySecondLaps(back, back + 2)) {
                    r.scheduler.advanceTo(ms(t - back));
                    QVERIFY(crossLive(decoder, *r.session, car));
                }
            });
            // The operator is asked, not told of a gap: the decoder sends what the program missed.
            QVERIFY(resumed(again));
            QCOMPARE(again.op.shown.size(), 1);
            QTRY_VERIFY(!again.session->equipment().p3().holding());
            for (const auto& [t, car] : test::thirtySecondLaps(back + 2, 330)) {
                QVERIFY(runToRaceSecond(decoder, again, t));
                QVERIFY(crossLive(decoder, *again.session, car));
            }
            again.scheduler.advanceBy(60'000);
            QVERIFY(!decoder.resends.empty());
            QCOMPARE(test::roundOneResults(first.program), expected);
            QCOMPARE(replayed(first.program.paths->dir / "h1r1.journal"), expected);
        }
    }

    void aP3RaceResumedAfterItsLastLapWindowCountsThePassingsOfTheStop() {
        std::array<std::pair<int, double>, 3> expected;
        {
            test::LoopbackP3Decoder decoder;
            test::RaceSession unbroken(3);
            p3Race(decoder, unbroken, 330, true);
            unbroken.runFor(60);
            expected = test::roundOneResults(unbroken.program);
            QCOMPARE(expected[0].first, 11);
        }
        // Stopped mid-race, or within two seconds of the start; back at race second 400, when the
        // race's five minutes and its last-lap window are long over.
        for (const double stop : {150.0, 1.5}) {
            test::LoopbackP3Decoder decoder;
            test::RaceSession first(3);
            p3Race(decoder, first, stop, true);
            const int64_t raceStartMs = first.engine().raceClockStartMs();
            first.session.reset();
            QTRY_VERIFY(!decoder.connected());
            for (const auto& [t, car] : test::thirtySecondLaps(stop, 330))
                decoder.cross(transponder(car), Wall + raceStartMs + ms(t));

            const int64_t down = raceStartMs + ms(400);
            Restart again(first.program, down, {true}, [&](Restart& r) {
                decoder.wallMs = [&r, down] { return Wall + down + r.clock.milliseconds(); };
                QVERIFY(findDecoder(*r.session));
            });
            // The race stands, its results not stored, until the decoder has sent its passings.
            QVERIFY(again.session->resuming());
            QCOMPARE(again.engine().completedRaces(), 0);
            QCOMPARE(again.session->mainWindow()
                         .findChild<QLabel*>(QStringLiteral("timingNoticeLB"))
                         ->text(),
                     QString::fromLatin1(AskingForMissedPassingsNotice));
            QVERIFY(resumed(again));
            again.scheduler.advanceBy(3000);
            QCOMPARE(again.engine().completedRaces(), 1);
            QVERIFY(!decoder.resends.empty());
            QCOMPARE(test::roundOneResults(first.program), expected);
            QCOMPARE(replayed(first.program.paths->dir / "h1r1.journal"), expected);
        }
    }

    // The decoder's connection breaks at race second 100, and the keys count on.
    static void decoderLostAt100(test::LoopbackP3Decoder& decoder, test::RaceSession& s) {
        p3Race(decoder, s, 100);
        decoder.drop();
        QTRY_COMPARE(s.session->equipment().countDevice(), CountingDevice::Manual);
    }

    void aDecoderFoundAgainDuringTheRaceKeepsTheConnectionItWasFoundOn() {
        test::LoopbackP3Decoder decoder;
        test::RaceSession s(3);
        decoderLostAt100(decoder, s);
        // The first attempt to reach it again comes 2 s later.
        s.runFor(2.5);
        QTRY_COMPARE(s.session->equipment().countDevice(), CountingDevice::P3);
        QTest::qWait(100);
        QCOMPARE(decoder.connections, 2);
        QVERIFY(decoder.connected());
    }

    void aRaceCountedOnWithTheKeysAfterItsDecoderWasLostReplaysAndResumesAsStored() {
        // No key is pressed from race second 150 to 175, while the second program is stopped.
        std::array<std::pair<int, double>, 3> expected;
        {
            test::LoopbackP3Decoder decoder;
            test::RaceSession unbroken(3);
            decoderLostAt100(decoder, unbroken);
            for (const auto& [t, car] : test::thirtySecondLaps(100, 330)) {
                if (t >= 150 && t < 175) continue;
                unbroken.runToRaceSecond(t);
                unbroken.session->raceInputs().key(car);
            }
            unbroken.runFor(60);
            expected = test::roundOneResults(unbroken.program);
            QCOMPARE(expected[0].first, 10);
            QCOMPARE(replayed(unbroken.program.paths->dir / "h1r1.journal"), expected);
        }
        test::LoopbackP3Decoder decoder;
        test::RaceSession first(3);
        decoderLostAt100(decoder, first);
        for (const auto& [t, car] : test::thirtySecondLaps(100, 150)) {
            first.runToRaceSecond(t);
            first.session->raceInputs().key(car);
        }
        first.runToRaceSecond(150);
        const int64_t down = first.engine().raceClockStartMs() + 175'000;
        first.session.reset();
        // Started again, the program counts with the keys, as it did last; so does the race.
        Restart again(first.program, down, {true});
        QVERIFY(again.engine().values().ManualKeys);
        for (const auto& [t, car] : test::thirtySecondLaps(175, 330)) {
            again.runToRaceSecond(t);
            again.session->raceInputs().key(car);
        }
        again.scheduler.advanceBy(60'000);
        QCOMPARE(test::roundOneResults(first.program), expected);
    }
};

QTEST_MAIN(RaceJournalTest)
#include "race_journal_test.moc"
