#include "files/event_files.h"
#include "files/file_io.h"
#include "files/settings_file.h"
#include "journal/race_inputs.h"
#include "race/race_engine.h"
#include "ui/main/main_window.h"

#include "race/race_session.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include <set>

using namespace vexa;

// The "Correct Results" window corrects a stored race from its journal: the result stored is
// the one the engine gives the race without the passing removed, and audit.log tells the change.
class CorrectResultsTest : public QObject {
    Q_OBJECT

    // Car c (1..3) crosses every 30 s from race second 20 + c, except the passings `skip` names
    // (car, lap); the race is run by keys to its end and stored.
    static void raceByKeys(test::RaceSession& race, std::set<std::pair<int, int>> skip) {
        race.session->showMainWindow();
        QVERIFY(saveSettingsFile(race.program.home.iniFile(), race.program.settings).ok);
        QVERIFY(
            writeAllEventFiles(*race.program.paths, race.program.settings, race.program.event).ok);
        race.openRaceScreen();
        race.runToStart();
        std::vector<std::pair<double, int>> keys;
        for (int car = 1; car <= 3; ++car)
            for (int lap = 1; 20 + car + 30 * (lap - 1) < 330; ++lap)
                if (!skip.count({car, lap})) keys.push_back({20 + car + 30.0 * (lap - 1), car});
        std::sort(keys.begin(), keys.end());
        for (const auto& [t, car] : keys) {
            race.runToRaceSecond(t);
            race.session->raceInputs().key(static_cast<char>('0' + car));
        }
        race.runFor(60);
        QCOMPARE(race.engine().values().RaceState, RaceStates::BetweenRaces);
    }

    static std::pair<int, double> stored(const test::RaceSession& race, int id) {
        EventData back;
        readResults(race.program.paths->results, back);
        return {back.cptres[id].laps[1], back.cptres[id].time[1]};
    }

  private slots:
    void aPassingRemovedFromTheOutputMenuIsStoredAsTheEngineGivesItAndAudited() {
        test::RaceSession expected(3);
        raceByKeys(expected, {{2, 4}});
        const auto withoutLap = stored(expected, 2);

        test::RaceSession race(3);
        raceByKeys(race, {});
        const auto before = stored(race, 2);
        QCOMPARE(before.first, withoutLap.first + 1);

        bool shown = false;
        const auto correct = [&](QWidget& w) {
            shown = true;
            QCOMPARE(w.windowTitle(), QStringLiteral("Correct Results"));
            QCOMPARE(test::child<QComboBox>(w, "raceChoice")->currentText(),
                     QStringLiteral("Heat 1, Round 1"));
            auto* passings = test::child<QTableWidget>(w, "passingsGrid");
            int row = -1;
            for (int r = 0; r < passings->rowCount(); ++r)
                if (passings->item(r, 0)->text() == "2" && passings->item(r, 2)->text() == "4")
                    row = r;
            QVERIFY(row >= 0);
            QCOMPARE(passings->item(row, 1)->text(), QStringLiteral("Driver 2"));
            QCOMPARE(passings->item(row, 3)->text(), QStringLiteral("112.000"));
            passings->selectRow(row);
            QCOMPARE(test::child<QSpinBox>(w, "carNumber")->value(), 2);

            // No reason: the operator is told and nothing changes.
            test::child<QPushButton>(w, "OKBtn")->click();
            QVERIFY(race.op.shown.last().contains("reason"));
            QCOMPARE(stored(race, 2), before);

            test::child<QLineEdit>(w, "reasonEdit")->setText("counted twice, marshal's report");
            test::child<QPushButton>(w, "OKBtn")->click();
            auto* results = test::child<QTableWidget>(w, "resultsGrid");
            QCOMPARE(results->item(1, 2)->text(), QString::number(withoutLap.first));
        };
        test::onNextModal([&](QWidget& w) {
            correct(w); // leaves at its first failed check
            test::child<QPushButton>(w, "CancelBtn")->click();
        });
        race.window().menus().correctResults->trigger();
        QVERIFY(shown);

        QCOMPARE(stored(race, 2), withoutLap);
        QCOMPARE(race.program.event.cptres[2].laps[1], withoutLap.first); // the open event too
        const auto audit = readWholeFile(race.program.paths->dir / "audit.log");
        QVERIFY(audit);
        const std::string text(audit->begin(), audit->end());
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 1);
        QVERIFY(text.find("Heat 1\tRound 1\tCar 2, Driver 2\t") != std::string::npos);
        QVERIFY(text.find("remove-passing 2 4\tcounted twice, marshal's report") !=
                std::string::npos);
    }
};

QTEST_MAIN(CorrectResultsTest)
#include "correct_results_test.moc"
