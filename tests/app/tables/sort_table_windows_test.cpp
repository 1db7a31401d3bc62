#include "programme/heat_sort_plan.h"
#include "programme/reseeding.h"
#include "support/event_builder.h"
#include "tables/tables_test_support.h"
#include "ui/tables/table_page.h"
#include "ui/tables/tables_screen.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

using namespace vexa;
using vexa::test::child;
using vexa::test::onModal;

// The two "Sort Table" windows as "Sort" and "Enter Finals" open them, and the tables they fill.
class SortTableWindowsTest : public QObject, test::TablesTestEvent {
    Q_OBJECT

    std::vector<std::pair<int, int>> overallPages_;
    std::unique_ptr<TablesScreen> screen_;

    // Every race with something in it: "race:info|slot texts" joined by blanks.
    static std::string dump(const RacingTable& table) {
        std::string out;
        for (int race = 1; race <= MaxRaces; ++race) {
            std::string cells;
            for (int slot = 1; slot <= MaxSlots; ++slot)
                cells += (slot > 1 ? "," : "") + table.slotText(race, slot);
            if (table.info(race).empty() && cells == std::string(MaxSlots - 1, ',')) continue;
            out += std::to_string(race) + ":" + table.info(race) + "|" + cells + " ";
        }
        return out;
    }
    static std::string frequencies(const EventData& e) {
        std::string out;
        for (int id = 1; id <= MaxCompetitors; ++id)
            if (e.cpts[id].heatfreq || e.cpts[id].finalfreq)
                out += std::to_string(id) + ":" + std::to_string(e.cpts[id].heatfreq) + "/" +
                       std::to_string(e.cpts[id].finalfreq) + " ";
        return out;
    }
    template <typename T> static T* in(QWidget& w, const char* name) { return child<T>(w, name); }

  private slots:
    void init() {
        freshProgram();
        ProgSettings& s = program_->settings;
        s.classes[1].name = "Juniors";
        s.classes[2].name = "Seniors";
        s.roundNumber = 3;
        EventData& e = program_->event;
        // Class 2: 23 drivers, abilities and round results in different orders; class 1: five
        // drivers with results and one without any.
        for (int id = 1; id <= 23; ++id) {
            comp_ent& c = test::driver(e, id, test::numbered("Senior ", id), 2);
            c.ability = static_cast<int8_t>((id * 7) % 23);
            c.setOwnedFreqs({1 + id % 4, 5 + id % 3});
            e.storeResult(id, 1, 10 + (id * 5) % 9, 300.0 + id);
            e.storeResult(id, 2, 10 + (id * 3) % 11, 301.0 - id);
        }
        for (int id = 30; id <= 34; ++id) {
            test::driver(e, id, test::numbered("Junior ", id), 1).ability = 40;
            e.storeResult(id, 2, id - 20, 280.0);
        }
        test::driver(e, 40, "No Score", 1).ability = 90;
        test::driver(e, 41, "Not Enabled", 1).enabled = 'N';
        overallPages_.clear();
        screen_ =
            tablesScreen([this](int first, int last) { overallPages_.emplace_back(first, last); });
    }
    void cleanup() { screen_.reset(); }

    void sortPresetsTheShownTable() {
        bool checked = false;
        onModal("TVexaSortTableF", [&](QWidget& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Sort Table"));
            QVERIFY(in<QGroupBox>(w, "tablesorttypeRG")->isEnabled());
            QVERIFY(in<QRadioButton>(w, "heattableRB")->isChecked());
            QVERIFY(in<QRadioButton>(w, "abilitysortRB")->isChecked());
            QVERIFY(in<QWidget>(w, "roundPNL")->isHidden());
            QVERIFY(in<QWidget>(w, "sorttypeGB")->isHidden());
            QCOMPARE(in<QSpinBox>(w, "roundfinSE")->value(), 3);
            QCOMPARE(in<QSpinBox>(w, "roundsrtSE")->value(), 1);
            QVERIFY(in<QCheckBox>(w, "includenoscoreCB")->isChecked());
            QVERIFY(in<QCheckBox>(w, "AutoAllocatFreqCB")->isChecked());
            // The choices show and hide their controls at once.
            in<QRadioButton>(w, "ResultSortRB")->click();
            QVERIFY(!in<QWidget>(w, "roundPNL")->isHidden());
            QVERIFY(!in<QWidget>(w, "sorttypeGB")->isHidden());
            QVERIFY(in<QRadioButton>(w, "SCoreBYftdCB")->isChecked());
            QVERIFY(in<QWidget>(w, "RoundcSE")->isHidden());
            in<QRadioButton>(w, "ScorebyRbyrCB")->click();
            QVERIFY(!in<QWidget>(w, "RoundcSE")->isHidden());
            QCOMPARE(in<QSpinBox>(w, "RoundcSE")->maximum(), 20);
            in<QPushButton>(w, "CancelBtn")->click();
            checked = true;
        });
        const std::string before = dump(program_->event.heats);
        child<QPushButton>(*screen_, "SortBtn")->click();
        QVERIFY(checked);
        QCOMPARE(dump(program_->event.heats), before);
        QVERIFY(!std::filesystem::exists(program_->paths->heats));

        checked = false;
        screen_->showPage(false);
        onModal("TVexaSortTableF", [&](QWidget& w) {
            QVERIFY(in<QGroupBox>(w, "tablesorttypeRG")->isEnabled());
            QVERIFY(in<QRadioButton>(w, "finalstableRB")->isChecked());
            QVERIFY(in<QRadioButton>(w, "ResultSortRB")->isChecked());
            QVERIFY(!in<QWidget>(w, "roundPNL")->isHidden());
            in<QPushButton>(w, "CancelBtn")->click();
            checked = true;
        });
        child<QPushButton>(*screen_, "SortBtn")->click();
        QVERIFY(checked);
    }

    void enterFinalsFixesTheFinalsTableAndSortsByTheResults() {
        // The heats were sorted by ability, by points.
        onModal("TVexaSortTableF", [](QWidget& w) {
            in<QRadioButton>(w, "ResultSortRB")->click();
            in<QRadioButton>(w, "ScorebyRbyrCB")->click();
            in<QRadioButton>(w, "abilitysortRB")->click();
            in<QPushButton>(w, "CancelBtn")->click();
        });
        child<QPushButton>(*screen_, "SortBtn")->click();
        QVERIFY(screen_->heatsShown());

        bool checked = false;
        onModal("TVexaSortTableF", [&](QWidget& w) {
            QVERIFY(!in<QGroupBox>(w, "tablesorttypeRG")->isEnabled());
            QVERIFY(in<QRadioButton>(w, "finalstableRB")->isChecked());
            // By the results, with the scoring last chosen.
            QVERIFY(in<QRadioButton>(w, "ResultSortRB")->isChecked());
            QVERIFY(in<QRadioButton>(w, "ScorebyRbyrCB")->isChecked());
            in<QPushButton>(w, "CancelBtn")->click();
            checked = true;
        });
        QVERIFY(!screen_->sortForFinals());
        QVERIFY(checked);
        QVERIFY(!screen_->heatsShown());
    }

    void anAbilitySortFillsTheHeatsAsTheCoreDoes() {
        EventData expected = program_->event;
        PerRace perrace;
        perrace.fill(DefaultPerRace);
        perrace[2] = 8;
        SortChoice choice;
        choice.heatsTable = true;
        choice.ordering = SeedOrdering::Ability;
        choice.lastRound = 3;
        reseedTable(expected, program_->settings, choice, perrace);

        onModal("TVexaSortTableF", [](QWidget& w) { in<QPushButton>(w, "NextBtn")->click(); });
        QStringList shown, updated;
        onModal("TVexaheatsortcont", [&](QWidget& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Sort Table"));
            auto* grid = in<QTableWidget>(w, "DriverclassnumSG");
            shown = test::rowsOf(*grid);
            grid->item(1, 4)->setText(QStringLiteral("8"));
            in<QPushButton>(w, "UpdateBtn")->click();
            updated = test::rowsOf(*grid);
            in<QPushButton>(w, "OKBtn")->click();
        });
        child<QPushButton>(*screen_, "SortBtn")->click();
        QCOMPARE(shown, (QStringList{"1) Juniors|6|1|6|10", "2) Seniors|23|3|3|10", "||||"}));
        QCOMPARE(updated, (QStringList{"1) Juniors|6|1|6|10", "2) Seniors|23|3|7|8", "||||"}));
        QCOMPARE(dump(program_->event.heats), dump(expected.heats));
        QCOMPARE(frequencies(program_->event), frequencies(expected));
        QVERIFY(messages_.isEmpty());
        QVERIFY(overallPages_.empty());
        // The rebuilt table and the new frequencies are on disk at once.
        RacingTable onDisk;
        readTable(program_->paths->heats, onDisk);
        QCOMPARE(dump(onDisk), dump(expected.heats));
        EventData drivers;
        QVERIFY(readCompetitors(program_->paths->competitors, drivers).ok);
        QCOMPARE(frequencies(drivers), frequencies(expected));
        // The grid shows what was filled.
        QCOMPARE(screen_->page(true).model().data(screen_->page(true).model().index(0, 0)),
                 QVariant(QString::fromStdString(expected.heats.info(1))));
    }

    void aResultsSortFillsTheFinalsAsTheCoreDoes_data() {
        QTest::addColumn<bool>("points");
        QTest::newRow("FTD") << false;
        QTest::newRow("RbyR / Points") << true;
    }

    void aResultsSortFillsTheFinalsAsTheCoreDoes() {
        QFETCH(bool, points);
        EventData expected = program_->event;
        PerRace perrace;
        perrace.fill(DefaultPerRace);
        SortChoice choice;
        choice.heatsTable = false;
        choice.ordering = points ? SeedOrdering::Points : SeedOrdering::Ftd;
        choice.firstRound = 1;
        choice.lastRound = 2;
        choice.roundsToCount = 2;
        choice.includeNoScore = false;
        choice.allocateFrequencies = false;
        reseedTable(expected, program_->settings, choice, perrace);

        screen_->showPage(false);
        onModal("TVexaSortTableF", [&](QWidget& w) {
            in<QSpinBox>(w, "roundsrtSE")->setValue(1);
            in<QSpinBox>(w, "roundfinSE")->setValue(2);
            if (points) in<QRadioButton>(w, "ScorebyRbyrCB")->click();
            in<QSpinBox>(w, "RoundcSE")->setValue(2);
            in<QCheckBox>(w, "includenoscoreCB")->setChecked(false);
            in<QCheckBox>(w, "AutoAllocatFreqCB")->setChecked(false);
            in<QPushButton>(w, "NextBtn")->click();
        });
        std::vector<std::pair<int, int>> pagesBeforeControl;
        QStringList shown;
        onModal("TVexaheatsortcont", [&](QWidget& w) {
            pagesBeforeControl = overallPages_;
            auto* grid = in<QTableWidget>(w, "DriverclassnumSG");
            shown = test::rowsOf(*grid);
            grid->item(1, 4)->setText(QStringLiteral("8")); // without "Update": no effect
            in<QPushButton>(w, "OKBtn")->click();
        });
        child<QPushButton>(*screen_, "SortBtn")->click();
        QCOMPARE(pagesBeforeControl, (std::vector<std::pair<int, int>>{{1, 2}}));
        QCOMPARE(shown, (QStringList{"1) Juniors|5|1|5|10", "2) Seniors|23|3|3|10", "||||"}));
        QCOMPARE(dump(program_->event.finals), dump(expected.finals));
        QVERIFY(dump(program_->event.finals).find("40") == std::string::npos);
        QCOMPARE(frequencies(program_->event), frequencies(expected));
        QVERIFY(!std::filesystem::exists(program_->paths->competitors));
        QVERIFY(!screen_->heatsShown());
    }

    void enterFinalsRebuildsTheFinals() {
        EventData expected = program_->event;
        PerRace perrace;
        perrace.fill(DefaultPerRace);
        SortChoice choice;
        choice.heatsTable = false;
        choice.lastRound = 3;
        reseedTable(expected, program_->settings, choice, perrace);

        onModal("TVexaSortTableF", [](QWidget& w) { in<QPushButton>(w, "NextBtn")->click(); });
        onModal("TVexaheatsortcont", [](QWidget& w) { in<QPushButton>(w, "OKBtn")->click(); });
        QVERIFY(screen_->sortForFinals());
        QCOMPARE(overallPages_, (std::vector<std::pair<int, int>>{{1, 3}}));
        QCOMPARE(dump(program_->event.finals), dump(expected.finals));
        RacingTable onDisk;
        readTable(program_->paths->finals, onDisk);
        QCOMPARE(dump(onDisk), dump(expected.finals));
    }

    void updateRefusesWhatIsNotADriverCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number") << "x"
                                      << "'x' is not a whole number";
        QTest::newRow("more than a race holds") << "21" << PerRaceRangeMessage;
        QTest::newRow("none") << "0" << PerRaceRangeMessage;
    }

    void updateRefusesWhatIsNotADriverCount() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        onModal("TVexaSortTableF", [](QWidget& w) { in<QPushButton>(w, "NextBtn")->click(); });
        QStringList after;
        onModal("TVexaheatsortcont", [&](QWidget& w) {
            auto* grid = in<QTableWidget>(w, "DriverclassnumSG");
            grid->item(1, 4)->setText(typed);
            in<QPushButton>(w, "UpdateBtn")->click();
            after = test::rowsOf(*grid);
            in<QPushButton>(w, "CancelBtn")->click();
        });
        const std::string before = dump(program_->event.heats);
        child<QPushButton>(*screen_, "SortBtn")->click();
        QCOMPARE(messages_, QStringList{message});
        QCOMPARE(after[1], QStringLiteral("2) Seniors|23|3|3|") + typed);
        QCOMPARE(dump(program_->event.heats), before);
    }

    void aFullTableTellsWhoWasLeftOut() {
        for (int id = 100; id <= 159; ++id) test::driver(program_->event, id, "Extra", 3);
        onModal("TVexaSortTableF", [](QWidget& w) { in<QPushButton>(w, "NextBtn")->click(); });
        onModal("TVexaheatsortcont", [](QWidget& w) {
            auto* grid = in<QTableWidget>(w, "DriverclassnumSG");
            grid->item(2, 4)->setText(QStringLiteral("1"));
            in<QPushButton>(w, "UpdateBtn")->click();
            in<QPushButton>(w, "OKBtn")->click();
        });
        child<QPushButton>(*screen_, "SortBtn")->click();
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith(
            QStringLiteral("The table holds only 50 races. These drivers were left out: (")));
        QCOMPARE(QString::fromStdString(program_->event.heats.info(50)), QStringLiteral("3/A"));
    }

    void multipleFtdRanksByTheComposite() {
        SortTableWindow& window = screen_->sortWindow();
        QWidget* given = nullptr;
        onModal("TVexaSortTableF", [&](QWidget& w) {
            auto* button = in<QPushButton>(w, "MultipleFtdBtn");
            QVERIFY(!button->isEnabled()); // no window to open yet
            window.setMultipleFtdWindow([&](QWidget* parent) { given = parent; });
            QVERIFY(button->isEnabled());
            in<QRadioButton>(w, "ScorebyRbyrCB")->click();
            button->click();
            QCOMPARE(given, &w);
            QCOMPARE(in<QSpinBox>(w, "roundsrtSE")->value(), 20);
            QCOMPARE(in<QSpinBox>(w, "roundfinSE")->value(), 20);
            QVERIFY(in<QRadioButton>(w, "ScorebyRbyrCB")->isChecked());
            in<QPushButton>(w, "CancelBtn")->click();
        });
        screen_->showPage(false);
        child<QPushButton>(*screen_, "SortBtn")->click();
        QVERIFY(given);
    }
};

QTEST_MAIN(SortTableWindowsTest)
#include "sort_table_windows_test.moc"
