#include "program/program.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"
#include "support/recorded_printing.h"
#include "ui/print/report_printing.h"
#include "ui/results/eor_positions_window.h"
#include "ui/results/final_results_window.h"
#include "ui/results/multiple_ftd_window.h"
#include "ui/results/statistics_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace vexa;
using vexa::test::child;

// The results windows driven by objectName: "Multiple FTD", "EOR Positions", "Final Results" and
// "Statistics".
class ResultsWindowsTest : public QObject {
    Q_OBJECT

    Program program_;
    test::RecordingOperator op_;
    std::vector<std::string> jobs_;

    ReportPrinting printing() { return test::recordedPrinting(program_, jobs_, op_); }

  private slots:
    void init() {
        program_ = Program{};
        op_ = {};
        jobs_.clear();
        program_.settings.roundNumber = 4;
        program_.settings.classes[1].name = "Touring";
        program_.settings.classes[2].name = "Buggy";
        const struct {
            int id;
            const char* name;
            int classno;
            char enabled;
            int laps[4];
        } drivers[] = {
            {1, "Ann Lee", 1, 'Y', {12, 13, 11, 13}},
            {2, "Bob Stone", 1, 'N', {10, 0, -1, 9}},
            {3, "Cy Hart", 1, 'Y', {-1, -1, -1, -1}},
            {4, "Di Moss", 2, 'Y', {20, 21, -1, -1}},
        };
        for (const auto& d : drivers) {
            comp_ent& c = program_.event.competitor(d.id);
            c.name = d.name;
            c.classno = static_cast<int8_t>(d.classno);
            c.enabled = d.enabled;
            for (int r = 1; r <= 4; ++r)
                if (d.laps[r - 1] >= 0)
                    program_.event.storeResult(d.id, r, d.laps[r - 1], 300.0 + r + d.id);
        }
    }

    void multipleFtdRangesAndMessages_data() {
        QTest::addColumn<bool>("all");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("annLaps");
        QTest::newRow("all rounds, best two") << true << 1 << 1 << 2 << QString() << 26;
        QTest::newRow("start after end")
            << false << 4 << 3 << 2 << "The start round is greater than the end round !" << -1;
        QTest::newRow("fewer rounds than scored")
            << false << 3 << 4 << 3
            << "The number of rounds used for scoring is more than the number of rounds selected !"
            << -1;
        QTest::newRow("rounds 1 to 3, best three") << false << 1 << 3 << 3 << QString() << 36;
    }
    void multipleFtdRangesAndMessages() {
        QFETCH(bool, all);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, score);
        QFETCH(QString, message);
        QFETCH(int, annLaps);
        MultipleFtdWindow window(program_, op_);
        QCOMPARE(window.windowTitle(), QStringLiteral("Multiple FTD"));
        QCOMPARE(child<QSpinBox>(window, "eorpositions2")->value(), 4); // the current round
        QCOMPARE(child<QSpinBox>(window, "RoundcSE")->minimum(), 2);
        QCOMPARE(child<QSpinBox>(window, "eorpositions1")->maximum(), 19);
        child<QSpinBox>(window, "RoundcSE")->setValue(score);
        child<QRadioButton>(window, all ? "useallRoundsRB" : "RadioButton2")->setChecked(true);
        child<QSpinBox>(window, "eorpositions1")->setValue(first);
        child<QSpinBox>(window, "eorpositions2")->setValue(last);
        window.show();
        child<QPushButton>(window, "OKBtn")->click();
        QCOMPARE(window.isVisible(), !message.isEmpty());
        QCOMPARE(op_.shown, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(program_.event.cptres[1].laps[20], annLaps);
    }

    void eorPositionsPrintsAndStaysOpen() {
        bool noScores = false;
        const ReportPrinting p = printing();
        EorPositionsWindow window(p, noScores);
        QCOMPARE(window.windowTitle(), QStringLiteral("EOR Positions"));
        test::onNextModal([&](QWidget& w) {
            QCOMPARE(child<QSpinBox>(w, "eorpositions2")->value(), 4);
            QVERIFY(!child<QWidget>(w, "roundcountPanel")->isVisible()); // FTD chosen
            child<QPushButton>(w, "OKBtn")->click();
            QVERIFY(w.isVisible());
            QCOMPARE(jobs_.size(), size_t(1));
            QVERIFY(jobs_[0].find("Ann Lee") != std::string::npos);
            QVERIFY(jobs_[0].find("Cy Hart") == std::string::npos); // no score, not printed

            child<QRadioButton>(w, "ScorebyRbyrCB")->setChecked(true);
            QVERIFY(child<QWidget>(w, "roundcountPanel")->isVisible());
            child<QCheckBox>(w, "EorFNoscoreCB")->setChecked(true);
            child<QPushButton>(w, "OKBtn")->click();
            QCOMPARE(jobs_.size(), size_t(2));
            QVERIFY(jobs_[1].find("Cy Hart") != std::string::npos);
            QVERIFY(w.isVisible());
            child<QPushButton>(w, "CancelBtn")->click();
        });
        window.openModal();
        QVERIFY(noScores); // the end-of-round pages follow the check box
    }

    void finalResultsPresetsAndPrints() {
        program_.settings.raceNumber = 3;
        program_.event.finals.setInfo(1, "1/A");
        program_.event.finals.setSlotText(1, 1, "1");
        const ReportPrinting p = printing();
        FinalResultsWindow window(p);
        QCOMPARE(window.windowTitle(), QStringLiteral("Final Results"));
        QCOMPARE(child<QSpinBox>(window, "SpinEdit2")->value(), 3);
        QCOMPARE(child<QSpinBox>(window, "SpinEdit3")->value(), 4);
        child<QPushButton>(window, "OKBtn")->click();
        QCOMPARE(jobs_.size(), size_t(1));
        QVERIFY(jobs_[0].find("Ann Lee") != std::string::npos);
    }

    void statisticsOfASmallEvent() {
        program_.settings.trackLength = "500";
        program_.settings.trackMeasureFeet = false;
        StatisticsWindow window(program_, op_);
        auto* grid = child<QTableWidget>(window, "classnumSG");
        QCOMPARE(grid->horizontalHeaderItem(3)->text(), QStringLiteral("Total Laps"));
        QCOMPARE(grid->columnWidth(0), 140);
        QCOMPARE(grid->rowCount(), 2);
        auto row = [&](int r) {
            QStringList texts;
            for (int c = 0; c < 6; ++c) texts << grid->item(r, c)->text();
            return texts;
        };
        // Touring: 3 entered, 2 enabled; 49 + 19 laps (Bob is disabled, his laps count; zero
        // and missing rounds add nothing). 68 laps of 500 m: 21.13 miles, 34.00 km.
        QCOMPARE(row(0), (QStringList{"Touring", "3", "2", "68", " 21.13", " 34.00"}));
        QCOMPARE(row(1), (QStringList{"Buggy", "1", "1", "41", " 12.74", " 20.50"}));

        program_.settings.trackLength = "5OO";
        window.refresh();
        QCOMPARE(op_.shown.size(), 1);
        QCOMPARE(grid->item(0, 3)->text(), QStringLiteral("68")); // kept
    }
};

QTEST_MAIN(ResultsWindowsTest)
#include "results_windows_test.moc"
