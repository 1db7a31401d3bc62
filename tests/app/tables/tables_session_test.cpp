#include "files/event_files.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/session.h"
#include "session/table_commands.h"
#include "support/print_recorder.h"
#include "support/temp_dir.h"
#include "support/test_session_ports.h"
#include "tables/tables_test_support.h"
#include "ui/drivers/competitor_list_view.h"
#include "ui/drivers/drivers_screen.h"
#include "ui/main/main_window.h"
#include "ui/tables/table_page.h"
#include "ui/tables/tables_screen.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

using namespace vexa;
using vexa::test::child;
using vexa::test::onModal;

// The tables screen in the program's main window: shown by "Tables", written on leaving, and
// reached from "Find" of the driver menu.
class TablesSessionTest : public QObject {
    Q_OBJECT

    test::TempDir home_;
    test::RecordingOperator op_;
    std::unique_ptr<VirtualClock> clock_;
    std::unique_ptr<VirtualScheduler> scheduler_;
    std::unique_ptr<RecordingPorts> sound_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<Session> session_;

    MainWindow& window() { return session_->mainWindow(); }
    TablesScreen& screen() { return tablesScreen(session_->mainWindow()); }
    void clickTop(const char* name) { child<QPushButton>(window(), name)->click(); }

    // "Find" of the driver menu with the competitor's row selected in the drivers list.
    void findFromTheDriverMenu(int id) {
        window().refreshCompetitorList();
        CompetitorListView& list = window().driversScreen().list();
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.item(row, 0)->text().toInt() == id) list.selectRow(row);
        QCOMPARE(list.selectedId(), id);
        QVERIFY(window().menus().findDriver->isEnabled());
        window().menus().findDriver->trigger();
    }

  private slots:
    void init() {
        clock_ = std::make_unique<VirtualClock>();
        scheduler_ = std::make_unique<VirtualScheduler>(*clock_);
        sound_ = std::make_unique<RecordingPorts>(*clock_);
        program_ = std::make_unique<Program>();
        program_->home.root = home_.path();
        startProgram(*program_);
        std::filesystem::remove_all(program_->home.eventsDir() / "Club Day");
        QVERIFY(createEvent(*program_, "Club Day").ok);
        program_->settings.classes[1].name = "Touring";
        EventData& e = program_->event;
        for (int id = 1; id <= 6; ++id) {
            e.cpts[id].name = "Driver " + std::to_string(id);
            e.cpts[id].classno = 1;
        }
        test::place(e.heats, 2, {{3, 5}});
        test::place(e.heats, 5, {{3, 5}, {4, 1}});
        test::place(e.finals, 1, {{2, 5}});
        session_ = std::make_unique<Session>(
            *program_, test::testSessionPorts(*clock_, *scheduler_, op_, *sound_));
        window().show();
    }
    void cleanup() {
        session_.reset();
        program_.reset();
    }

    void tablesShowsTheTableRacedFromAndLeavingWritesBothTables() {
        program_->settings.racingHeats = false;
        clickTop("TablesBtn");
        QCOMPARE(session_->screens().current(), Screen::Tables);
        QVERIFY(screen().isVisible());
        QVERIFY(!screen().heatsShown());

        screen().showPage(true);
        RacingGrid& grid = screen().page(true).grid();
        screen().page(true).selectCell(7, 1);
        QTest::keyClicks(&grid, QStringLiteral("4"));
        QTest::keyClick(&grid, Qt::Key_Return);
        QTest::keyClicks(&grid, QStringLiteral("3"));
        screen().page(false).selectCell(9, 20);
        QTest::keyClicks(&screen().page(false).grid(), QStringLiteral("6"));
        RacingTable heats, finals;
        readTable(program_->paths->heats, heats);
        QCOMPARE(test::seated(heats, 7), ""); // typing saves nothing by itself

        clickTop("DriversBtn");
        readTable(program_->paths->heats, heats);
        readTable(program_->paths->finals, finals);
        QCOMPARE(test::seated(heats, 7), "1:4 2:3");
        QCOMPARE(test::seated(heats, 5), "3:5 4:1");
        QCOMPARE(test::seated(finals, 9), "20:6");

        program_->settings.racingHeats = true;
        clickTop("TablesBtn");
        QVERIFY(screen().heatsShown());
    }

    void findGoesToTheLastPlaceInEachTable() {
        program_->settings.racingHeats = false;
        QStringList texts;
        onModal("FindDriverF", [&](QWidget& find) {
            QCOMPARE(find.windowTitle(), QStringLiteral("Find Driver"));
            QCOMPARE(child<QWidget>(find, "heatGB")->property("title").toString(),
                     QStringLiteral("Qualifier / Heat"));
            QCOMPARE(child<QWidget>(find, "finalGB")->property("title").toString(),
                     QStringLiteral("Main / Final"));
            texts << child<QLabel>(find, "heatLB")->text()
                  << child<QLabel>(find, "finalLB")->text();
            QVERIFY(child<QPushButton>(find, "finalGotoBtn")->isEnabled());
            child<QPushButton>(find, "heatGotoBtn")->click();
        });
        findFromTheDriverMenu(5);
        QCOMPARE(texts, (QStringList{"Driver Found in Qualifier/Heat: 5 CAR: 3",
                                     "Driver Found in Main/Final: 1 CAR: 2"}));
        QCOMPARE(session_->screens().current(), Screen::Tables);
        QVERIFY(screen().heatsShown());
        RacingGrid& heats = screen().page(true).grid();
        QCOMPARE(heats.selectedRace(), 5);
        QCOMPARE(heats.currentIndex().row(), 3);
        QVERIFY(!QApplication::activeModalWidget());

        clickTop("DriversBtn");
        onModal("FindDriverF",
                [](QWidget& find) { child<QPushButton>(find, "finalGotoBtn")->click(); });
        findFromTheDriverMenu(5);
        QVERIFY(!screen().heatsShown());
        QCOMPARE(screen().page(false).grid().selectedRace(), 1);
        QCOMPARE(screen().page(false).grid().currentIndex().row(), 2);
    }

    void findForADriverInNoRace() {
        QStringList texts;
        bool heatGo = true, finalGo = true;
        onModal("FindDriverF", [&](QWidget& find) {
            texts << child<QLabel>(find, "heatLB")->text()
                  << child<QLabel>(find, "finalLB")->text();
            heatGo = child<QPushButton>(find, "heatGotoBtn")->isEnabled();
            finalGo = child<QPushButton>(find, "finalGotoBtn")->isEnabled();
            child<QPushButton>(find, "OKBtn")->click();
        });
        findFromTheDriverMenu(6);
        QCOMPARE(texts, (QStringList{"NOT FOUND IN THE QUALIFIER TABLE/HEAT",
                                     "NOT FOUND IN THE MAIN/FINAL TABLE"}));
        QVERIFY(!heatGo);
        QVERIFY(!finalGo);
        QCOMPARE(session_->screens().current(), Screen::Drivers);
    }

    void multipleFtdOpensFromTheSortWindow() {
        clickTop("TablesBtn");
        screen().showPage(false);
        bool multipleShown = false;
        int first = 0, last = 0;
        onModal("TVexaSortTableF", [&](QWidget& sort) {
            onModal("TMulti_FTDF", [&](QWidget& multiple) {
                multipleShown = multiple.windowTitle() == QStringLiteral("Multiple FTD");
                child<QPushButton>(multiple, "CancelBtn")->click();
            });
            child<QPushButton>(sort, "MultipleFtdBtn")->click();
            first = child<QSpinBox>(sort, "roundsrtSE")->value();
            last = child<QSpinBox>(sort, "roundfinSE")->value();
            child<QPushButton>(sort, "CancelBtn")->click();
        });
        child<QPushButton>(screen(), "SortBtn")->click();
        QVERIFY(multipleShown);
        QCOMPARE(first, 20);
        QCOMPARE(last, 20);
    }

    void doubleClicksOpenTheEntryWindowAndFrequencies() {
        clickTop("TablesBtn");
        TablePage& heats = screen().page(true);
        QString entryShown;
        onModal("CompF", [&](QWidget& entry) {
            entryShown = entry.windowTitle() + " " + child<QLineEdit>(entry, "idnumED")->text();
            auto* name = child<QLineEdit>(entry, "nameED");
            name->selectAll();
            QTest::keyClicks(name, QStringLiteral("Eve Ward"));
            entry.close();
        });
        test::doubleClick(heats.grid(), test::cellOf(heats.grid(), 5, 3));
        QCOMPARE(entryShown, QStringLiteral("Drivers Details 5"));
        // The name given there shows beside the table at once.
        auto* bar = child<QTableView>(screen(), "HeatSideBar");
        QCOMPARE(bar->model()->index(3, 0).data().toString(), QStringLiteral("Eve Ward"));

        // Driver 1 in heat 5 has no frequency: "Frequencies" opens for him from the finding,
        // and what is chosen there is on disk when it closes.
        program_->freqnames.names[2] = "27.045";
        program_->event.cpts[1].setOwnedFreqs({2});
        child<QPushButton>(screen(), "CheckBtn")->click();
        auto* problems = child<QTableWidget>(screen(), "DProbsGRD");
        int row = -1;
        for (int r = 0; r < problems->rowCount(); ++r)
            if (problems->item(r, 0) && problems->item(r, 0)->text() == "1") row = r;
        QVERIFY(row >= 0);
        QCOMPARE(problems->item(row, 4)->text(), QStringLiteral("No Frequency Allocated"));
        QString freqShown;
        onModal("freqF", [&](QWidget& frequencies) {
            freqShown = frequencies.windowTitle();
            program_->event.cpts[1].heatfreq = 2; // as the heat frequency's list chooses it
            child<QPushButton>(frequencies, "OKBtn")->click();
        });
        test::doubleClick(*problems, problems->model()->index(row, 4));
        QCOMPARE(freqShown, QStringLiteral("Frequencies"));
        EventData onDisk;
        QVERIFY(readCompetitors(program_->paths->competitors, onDisk).ok);
        QCOMPARE(int(onDisk.cpts[1].heatfreq), 2);
    }
};

QTEST_MAIN(TablesSessionTest)
#include "tables_session_test.moc"
