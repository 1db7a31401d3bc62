#include "programme/entry_checks.h"
#include "support/event_builder.h"
#include "tables/tables_test_support.h"
#include "ui/tables/entry_problems_grid.h"
#include "ui/tables/table_page.h"
#include "ui/tables/tables_screen.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>

using namespace vexa;
using vexa::test::cellOf;
using vexa::test::child;
using vexa::test::seated;

// The tables screen's tool bar and the entry checks, driven as the operator drives them.
class TablesScreenTest : public QObject, test::TablesTestEvent {
    Q_OBJECT

    std::unique_ptr<TablesScreen> screen() { return tablesScreen(); }

  private slots:
    void init() {
        freshProgram();
        program_->settings.classes[1].name = "Touring";
        program_->freqnames.names[3] = "27.045";
        program_->freqnames.names[4] = "27.095";
        EventData& e = program_->event;
        test::driver(e, 1, "Ann Lee", 1).heatfreq = 3;
        test::driver(e, 2, "Bob Ray", 1).heatfreq = 3;
        test::driver(e, 3, "Cy Dee", 1).heatfreq = 4;
        e.cpts[2].setOwnedFreqs({3, 4, 5});
        test::driver(e, 7, "Di Fox", 1);
    }

    void thePageShownFollowsTheTableRacedFrom() {
        program_->settings.racingHeats = false;
        auto s = screen();
        auto* pages = child<QTabWidget>(*s, "TablesPages");
        QCOMPARE(pages->tabText(0), QStringLiteral("Qualifiers / Heats"));
        QCOMPARE(pages->tabText(1), QStringLiteral("Mains / Finals "));
        QVERIFY(!s->heatsShown());
        QVERIFY(child<QWidget>(*s, "Finalsgrid")->isVisible());
        program_->settings.racingHeats = true;
        // A name changed elsewhere shows when the screen is shown again.
        test::place(program_->event.heats, 1, {{1, 1}});
        s->page(true).selectCell(1, 1);
        program_->event.cpts[1].name = "Ann Leigh";
        s->showTables();
        QVERIFY(s->heatsShown());
        auto* bar = child<QTableView>(*s, "HeatSideBar");
        QCOMPARE(bar->model()->index(1, 0).data().toString(), QStringLiteral("Ann Leigh"));
        QCOMPARE(s->page(true).grid().racingModel().data(cellOf(s->page(true).grid(), 1, 1)),
                 QVariant(QStringLiteral("1")));
    }

    void deleteAsksThenEmptiesTheSelectedRace() {
        RacingTable& heats = program_->event.heats;
        heats.setInfo(2, "1/A");
        test::place(heats, 2, {{1, 1}, {5, 2}});
        test::place(heats, 3, {{1, 3}});
        auto s = screen();
        s->page(true).selectCell(2, 5);
        op_.answers = {false, true};
        child<QPushButton>(*s, "DeleteBtn")->click();
        QCOMPARE(seated(heats, 2), "1:1 5:2");
        child<QPushButton>(*s, "DeleteBtn")->click();
        QCOMPARE(messages_,
                 QStringList(2, QStringLiteral("?  Are you sure you want to delete all the "
                                               "drivers in this race ?")));
        QCOMPARE(seated(heats, 2), "");
        QCOMPARE(heats.info(2), "");
        QCOMPARE(seated(heats, 3), "1:3");
        QCOMPARE(s->page(true).grid().racingModel().data(cellOf(s->page(true).grid(), 2, 0)),
                 QVariant(QString()));
        auto* bar = child<QTableView>(*s, "HeatSideBar");
        QCOMPARE(bar->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Class: None"));
    }

    void deleteActsOnTheTableShown() {
        test::place(program_->event.heats, 1, {{1, 1}});
        test::place(program_->event.finals, 1, {{1, 1}});
        program_->settings.racingHeats = false;
        auto s = screen();
        child<QPushButton>(*s, "DeleteBtn")->click();
        QCOMPARE(seated(program_->event.finals, 1), "");
        QCOMPARE(seated(program_->event.heats, 1), "1:1");
    }

    void checkListsTheFindingsAndOpensWhatMendsThem() {
        RacingTable& heats = program_->event.heats;
        // Heat 1: a free entry (45), two drivers on 27.045, driver 7 without a frequency.
        test::place(heats, 1, {{1, 1}, {2, 45}, {3, 2}, {4, 7}});
        // Heat 2: driver 3 twice.
        test::place(heats, 2, {{1, 3}, {4, 3}});
        test::place(program_->event.finals, 1, {{1, 7}}); // not the table shown
        auto s = screen();
        auto* grid = child<EntryProblemsGrid>(*s, "DProbsGRD");
        QCOMPARE(test::rowsOf(*grid), QStringList{"||||"});
        QStringList headers;
        for (int c = 0; c < grid->columnCount(); ++c)
            headers << grid->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, (QStringList{"Id#", "Race#", "Car#", "Name", "Problem"}));
        bool noted = false;
        for (QLabel* label : s->findChildren<QLabel*>())
            noted = noted || label->text() == "If nothing appears in the box after pressing "
                                              "\"Check\", no problems exist.";
        QVERIFY(noted);

        child<QPushButton>(*s, "CheckBtn")->click();
        QCOMPARE(test::rowsOf(*grid), (QStringList{
                                          "7|1|4|Di Fox|No Frequency Allocated",
                                          "2|1|3|Bob Ray|Frequency Conflict",
                                          "45|1|2||Driver has no name",
                                          "45|1|2||No Frequency Allocated",
                                          "3|2|4|Cy Dee|is also in Heat:2 Car:1",
                                          "3|2|4|Cy Dee|Frequency Conflict",
                                          "3|2|1|Cy Dee|is also in Heat:2 Car:4",
                                          "||||",
                                      }));

        QSignalSpy drivers(s.get(), &TablesScreen::driverOpenRequested);
        QSignalSpy frequencies(s.get(), &TablesScreen::frequenciesOpenRequested);
        for (int row = 0; row < grid->rowCount(); ++row)
            test::doubleClick(*grid, grid->model()->index(row, 3));
        auto ids = [](const QSignalSpy& spy) {
            QList<int> out;
            for (const auto& call : spy) out << call[0].toInt();
            return out;
        };
        QCOMPARE(ids(drivers), QList<int>{45});
        QCOMPARE(ids(frequencies), (QList<int>{7, 2, 45, 3}));

        // Each check starts afresh; on an empty table the grid keeps only its empty row.
        program_->event.heats.clear();
        child<QPushButton>(*s, "CheckBtn")->click();
        QCOMPARE(test::rowsOf(*grid), QStringList{"||||"});
    }

    void checkRunsOnTheTableShown() {
        test::place(program_->event.heats, 1, {{1, 1}, {2, 1}});
        test::place(program_->event.finals, 4, {{1, 1}, {2, 2}});
        program_->settings.racingHeats = false;
        auto s = screen();
        child<QPushButton>(*s, "CheckBtn")->click();
        auto* grid = child<QTableWidget>(*s, "DProbsGRD");
        QCOMPARE(test::rowsOf(*grid),
                 (QStringList{"2|4|2|Bob Ray|No Frequency Allocated",
                              "1|4|1|Ann Lee|No Frequency Allocated", "||||"}));
    }

    void freqSortAsksThenAllocatesAndKeepsTheFrequencies() {
        test::place(program_->event.heats, 1, {{1, 1}, {2, 2}});
        auto s = screen();
        op_.answers = {false, true};
        child<QPushButton>(*s, "FreqSortBtn")->click();
        QCOMPARE(int(program_->event.cpts[2].heatfreq), 3);
        QVERIFY(!std::filesystem::exists(program_->paths->competitors));

        child<QPushButton>(*s, "FreqSortBtn")->click();
        QCOMPARE(messages_, QStringList(2, QStringLiteral("? Are you sure you want to do this it "
                                                          "may change some frequencies")));
        QCOMPARE(int(program_->event.cpts[1].heatfreq), 3);
        QCOMPARE(int(program_->event.cpts[2].heatfreq), 4);
        EventData onDisk;
        QVERIFY(readCompetitors(program_->paths->competitors, onDisk).ok);
        QCOMPARE(int(onDisk.cpts[2].heatfreq), 4);
        QCOMPARE(onDisk.cpts[2].name, std::string("Bob Ray"));
    }

    void freqChangesListsWhoChangesCrystal() {
        program_->event.cpts[3].finalfreq = 4;
        auto s = screen();
        child<QPushButton>(*s, "FreqChangesBtn")->click();
        auto* window = child<QWidget>(*s, "xtalchangesF");
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Crystal Changes"));
        auto* list = child<QListWidget>(*window, "ListLB");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("(1) :Ann Lee"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("(2) :Bob Ray"));
        // Listed again each time the button is pressed, even while the window is open.
        program_->event.cpts[1].finalfreq = 3;
        child<QPushButton>(*s, "FreqChangesBtn")->click();
        QCOMPARE(list->count(), 1);
    }

    void printOpensTheRacingTablePrintForTheTableShown() {
        program_->settings.racingHeats = false;
        auto s = screen();
        child<QPushButton>(*s, "PrintBtn")->click();
        auto* print = child<QWidget>(*s, "TracingtablprnF");
        QVERIFY(print->isVisible());
        QVERIFY(child<QRadioButton>(*print, "RfinalsCHK")->isChecked());
        print->hide();
        s->showPage(true);
        child<QPushButton>(*s, "PrintBtn")->click();
        QVERIFY(child<QRadioButton>(*print, "heatchk")->isChecked());
    }
};

QTEST_MAIN(TablesScreenTest)
#include "tables_screen_test.moc"
