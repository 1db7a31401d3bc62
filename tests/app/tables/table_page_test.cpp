#include "program/program.h"
#include "support/event_builder.h"
#include "tables/tables_test_support.h"
#include "ui/models/side_bar_model.h"
#include "ui/tables/final_letter_dialog.h"
#include "ui/tables/table_page.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

using namespace vexa;
using vexa::test::cellOf;
using vexa::test::child;
using vexa::test::seated;

// One page of the tables screen as the operator types, moves and letters on it.
class TablePageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program_;

    // The texts the side bar shows: the class caption, the view caption, then slots 1..20 as
    // "slot:text" for the slots that show something.
    static QString sideBarOf(TablePage& page) {
        auto* bar = child<QTableView>(page, page.heats() ? "HeatSideBar" : "FinalSideBar");
        QAbstractItemModel* m = bar->model();
        QString out =
            m->headerData(0, Qt::Horizontal).toString() + " | " + m->index(0, 0).data().toString();
        for (int row = 1; row <= MaxSlots; ++row)
            if (const QString t = m->index(row, 0).data().toString(); !t.isEmpty())
                out += QStringLiteral(" | %1:%2").arg(row).arg(t);
        return out;
    }

  private slots:
    void init() {
        program_ = std::make_unique<Program>();
        ProgSettings& s = program_->settings;
        s.classes[1].name = "Touring";
        s.classes[2].name = "A class name long enough";
        program_->freqnames.names[3] = "27.045";
        program_->freqnames.names[4] = "27.095";
        EventData& e = program_->event;
        test::driver(e, 1, "Ann Lee", 1).heatfreq = 3;
        test::driver(e, 2, "Bob Ray", 1).finalfreq = 4;
        test::driver(e, 12, "Cy Dee", 2).setNoFreqNeeded(true);
    }

    void keysOfARaceCell_data() {
        QTest::addColumn<int>("race");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("typed"); // letters; '<' Backspace, '#' Delete, '>' Enter
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("endRace");
        QTest::addColumn<int>("endSlot");

        QTest::newRow("digits go into an empty slot") << 2 << 3 << ""
                                                      << "12"
                                                      << "12" << 2 << 3;
        QTest::newRow("letters are dropped") << 2 << 3 << ""
                                             << "1a-2 "
                                             << "12" << 2 << 3;
        QTest::newRow("the first digit replaces") << 2 << 3 << "34"
                                                  << "5"
                                                  << "5" << 2 << 3;
        QTest::newRow("Backspace after typing") << 2 << 3 << ""
                                                << "123<"
                                                << "12" << 2 << 3;
        QTest::newRow("Backspace on a cell just chosen") << 2 << 3 << "34"
                                                         << "<"
                                                         << "" << 2 << 3;
        QTest::newRow("Delete empties") << 2 << 3 << "34"
                                        << "#"
                                        << "" << 2 << 3;
        QTest::newRow("what the files keep, no more") << 2 << 3 << ""
                                                      << "1234567"
                                                      << "123456" << 2 << 3;
        QTest::newRow("a letter into a filled slot") << 2 << 3 << "34"
                                                     << "x"
                                                     << "34" << 2 << 3;
        QTest::newRow("the information row takes nothing") << 2 << 0 << "3/B"
                                                           << "1<#>"
                                                           << "3/B" << 2 << 0;
        QTest::newRow("Enter goes to the next slot") << 3 << 5 << ""
                                                     << "7>"
                                                     << "7" << 3 << 6;
        QTest::newRow("Enter from slot 20 to the next race") << 3 << 20 << ""
                                                             << ">"
                                                             << "" << 4 << 1;
        QTest::newRow("Enter in slot 20 of race 50 stays") << 50 << 20 << ""
                                                           << ">"
                                                           << "" << 50 << 20;
        QTest::newRow("typing after Enter starts afresh") << 3 << 5 << ""
                                                          << "7>8"
                                                          << "7" << 3 << 6;
    }

    void keysOfARaceCell() {
        QFETCH(int, race);
        QFETCH(int, slot);
        QFETCH(QString, held);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(int, endRace);
        QFETCH(int, endSlot);
        RacingTable& heats = program_->event.heats;
        heats.setCell(race + 1, slot + 1, held.toStdString());
        TablePage page(*program_, true);
        page.show();
        RacingGrid& grid = page.grid();
        page.selectCell(race, slot);
        for (QChar c : typed) {
            if (c == '<')
                QTest::keyClick(&grid, Qt::Key_Backspace);
            else if (c == '#')
                QTest::keyClick(&grid, Qt::Key_Delete);
            else if (c == '>')
                QTest::keyClick(&grid, Qt::Key_Return);
            else
                QTest::keyClicks(&grid, QString(c));
        }
        QCOMPARE(QString::fromStdString(heats.cell(race + 1, slot + 1)), after);
        QCOMPARE(grid.selectedRace(), endRace);
        QCOMPARE(grid.currentIndex().row(), endSlot);
    }

    void aTypedDigitRedrawsItsCellAndTheSideBar() {
        program_->event.heats.setSlotText(2, 1, "2");
        TablePage page(*program_, true);
        page.show();
        RacingGrid& grid = page.grid();
        page.selectCell(2, 3);
        QSignalSpy cells(&page.model(), &QAbstractItemModel::dataChanged);
        auto* bar = child<QTableView>(page, "HeatSideBar");
        QSignalSpy sideRows(bar->model(), &QAbstractItemModel::dataChanged);

        QTest::keyClicks(&grid, QStringLiteral("1"));
        QCOMPARE(cells.size(), 1);
        QCOMPARE(cells[0][0].toModelIndex(), cellOf(grid, 2, 3));
        QCOMPARE(cells[0][1].toModelIndex(), cellOf(grid, 2, 3));
        QCOMPARE(sideRows.size(), 1);
        QCOMPARE(sideRows[0][0].toModelIndex().row(), 3);
        QCOMPARE(sideBarOf(page), QStringLiteral("Class:Touring | Names | 1:Bob Ray | 3:Ann Lee"));

        QTest::keyClicks(&grid, QStringLiteral("2"));
        QCOMPARE(cells.size(), 2);
        QCOMPARE(sideBarOf(page), QStringLiteral("Class:Touring | Names | 1:Bob Ray | 3:Cy Dee"));
        QCOMPARE(grid.racingModel().data(cellOf(grid, 2, 3)).toString(), QStringLiteral("12"));
    }

    void sideBarShowsNamesOrFrequenciesOfTheSelectedRace() {
        EventData& e = program_->event;
        test::place(e.heats, 1, {{2, 12}, {4, 1}, {6, 2}, {7, 999}});
        test::place(e.finals, 1, {{1, 1}, {2, 2}});
        TablePage heats(*program_, true);
        heats.show();
        heats.selectCell(1, 3);
        QCOMPARE(sideBarOf(heats), QStringLiteral("Class:A class name long en | Names | "
                                                  "2:Cy Dee | 4:Ann Lee | 6:Bob Ray"));
        child<QPushButton>(heats, "HeatViewBtn")->click();
        QCOMPARE(sideBarOf(heats), QStringLiteral("Class:A class name long en | Frequencies | "
                                                  "2:Not Req/2.4Ghz | 4:27.045"));
        heats.selectCell(2, 1);
        QCOMPARE(sideBarOf(heats), QStringLiteral("Class: None | Frequencies"));
        child<QPushButton>(heats, "HeatViewBtn")->click();
        QCOMPARE(sideBarOf(heats), QStringLiteral("Class: None | Names"));

        // The finals table shows the drivers' final frequencies.
        TablePage finals(*program_, false);
        finals.show();
        finals.selectCell(1, 1);
        child<QPushButton>(finals, "FinalViewBtn")->click();
        QCOMPARE(sideBarOf(finals), QStringLiteral("Class:Touring | Frequencies | 2:27.095"));
    }

    void draggingARaceRenumbersTheRaces() {
        RacingTable& heats = program_->event.heats;
        for (int race = 1; race <= 6; ++race) {
            heats.setInfo(race, "1/" + std::string(1, char('A' + race - 1)));
            heats.setSlotText(race, 1, std::to_string(race));
        }
        heats.setSlotText(5, 1, "12");
        TablePage page(*program_, true);
        page.show();
        RacingGrid& grid = page.grid();
        QHeaderView* numbers = grid.horizontalHeader();

        numbers->moveSection(4, 1); // race 5 dragged onto the place of race 2
        QCOMPARE(QString::fromStdString(heats.info(2)), QStringLiteral("1/E"));
        QCOMPARE(QString::fromStdString(heats.slotText(2, 1)), QStringLiteral("12"));
        for (int race = 3; race <= 5; ++race)
            QCOMPARE(heats.slotText(race, 1), std::to_string(race - 1));
        QCOMPARE(heats.slotText(6, 1), "6");
        for (int place = 0; place < MaxRaces; ++place) {
            QCOMPARE(numbers->logicalIndex(place), place);
            QCOMPARE(grid.model()->headerData(place, Qt::Horizontal).toString(),
                     QString::number(place + 1));
        }
        QCOMPARE(grid.selectedRace(), 2);
        QCOMPARE(sideBarOf(page), QStringLiteral("Class:A class name long en | Names | 1:Cy Dee"));
        QCOMPARE(grid.racingModel().data(cellOf(grid, 2, 0)).toString(), QStringLiteral("1/E"));
    }

    void packingUpAndDownAndSwappingHalves_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");

        const QString spread = "3:1 7:2 15:12";
        QTest::newRow("up") << "HeatUpBtn" << false << spread << "1:1 2:2 3:12";
        QTest::newRow("down") << "HeatDownBtn" << false << spread << "18:1 19:2 20:12";
        QTest::newRow("shift swaps the halves") << "HeatDownBtn" << true << "1:1 12:2"
                                                << "2:2 11:1";
        QTest::newRow("shift swaps a full race too") << "HeatDownBtn" << true << "full"
                                                     << "full swapped";
        QTest::newRow("a full race stays up") << "HeatUpBtn" << false << "full"
                                              << "full";
        QTest::newRow("a full race stays down") << "HeatDownBtn" << false << "full"
                                                << "full";
        QTest::newRow("an empty race stays") << "HeatDownBtn" << false << ""
                                             << "";
    }

    void packingUpAndDownAndSwappingHalves() {
        QFETCH(QString, button);
        QFETCH(bool, shift);
        QFETCH(QString, before);
        QFETCH(QString, after);
        RacingTable& heats = program_->event.heats;
        std::string full, swapped;
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            full += (slot > 1 ? " " : "") + std::to_string(slot) + ":" + std::to_string(slot);
            const int id = slot <= 10 ? slot + 10 : slot - 10;
            swapped += (slot > 1 ? " " : "") + std::to_string(slot) + ":" + std::to_string(id);
        }
        auto expand = [&](const QString& text) {
            if (text == "full") return full;
            if (text == "full swapped") return swapped;
            return text.toStdString();
        };
        for (const QString& seat : before == "full" ? QString::fromStdString(full).split(' ')
                                                    : before.split(' ', Qt::SkipEmptyParts))
            heats.setSlotText(4, seat.section(':', 0, 0).toInt(),
                              seat.section(':', 1).toStdString());
        TablePage page(*program_, true);
        page.show();
        page.selectCell(4, 5);
        auto* b = child<QPushButton>(page, button.toLatin1().constData());
        QTest::mouseClick(b, Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(seated(heats, 4), expand(after));
        QCOMPARE(page.grid().racingModel().data(cellOf(page.grid(), 4, 1)).toString(),
                 QString::fromStdString(heats.slotText(4, 1)));
    }

    void downActsOnThePressOfTheButton() {
        test::place(program_->event.heats, 1, {{1, 1}});
        TablePage page(*program_, true);
        page.show();
        page.selectCell(1, 1);
        QTest::mousePress(child<QPushButton>(page, "HeatDownBtn"), Qt::LeftButton);
        QCOMPARE(seated(program_->event.heats, 1), "20:1");
        QTest::mouseRelease(child<QPushButton>(page, "HeatDownBtn"), Qt::LeftButton);
        QCOMPARE(seated(program_->event.heats, 1), "20:1");
    }

    void finalLetterOnAFinalsInformationCell_data() {
        QTest::addColumn<QString>("info");
        QTest::addColumn<int>("firstDriver"); // 0: the final has no driver
        QTest::addColumn<int>("steps");       // up (+) or down (-) presses
        QTest::addColumn<QString>("startsAt");
        QTest::addColumn<QString>("infoAfter");

        QTest::newRow("3/B one up, class of the first driver") << "3/B" << 12 << 1 << "B"
                                                               << "2/C";
        QTest::newRow("empty starts at A") << "" << 1 << 0 << "A"
                                           << "1/A";
        QTest::newRow("A does not go below A") << "1/A" << 1 << -2 << "A"
                                               << "1/A";
        QTest::newRow("Z does not go beyond Z") << "1/Y" << 1 << 3 << "Y"
                                                << "1/Z";
        QTest::newRow("a final without drivers loses its text") << "3/B" << 0 << 1 << "B"
                                                                << "";
    }

    void finalLetterOnAFinalsInformationCell() {
        QFETCH(QString, info);
        QFETCH(int, firstDriver);
        QFETCH(int, steps);
        QFETCH(QString, startsAt);
        QFETCH(QString, infoAfter);
        RacingTable& finals = program_->event.finals;
        finals.setInfo(3, info.toStdString());
        if (firstDriver) test::place(finals, 3, {{2, firstDriver}, {5, 2}});
        TablePage page(*program_, false);
        page.show();

        QString shownAtStart;
        test::onNextModal([&](QWidget& modal) {
            QCOMPARE(modal.windowTitle(), QStringLiteral("Final Letter"));
            auto* box = child<LetterBox>(modal, "letterED");
            shownAtStart = box->text();
            box->stepBy(steps);
            child<QPushButton>(modal, "OKBtn")->click();
        });
        test::doubleClick(page.grid(), cellOf(page.grid(), 3, 0));
        QCOMPARE(shownAtStart, startsAt);
        QCOMPARE(QString::fromStdString(finals.info(3)), infoAfter);
        QCOMPARE(page.grid().racingModel().data(cellOf(page.grid(), 3, 0)).toString(), infoAfter);
    }

    void theLetterIsAppliedHoweverTheDialogCloses() {
        test::place(program_->event.finals, 1, {{1, 2}});
        FinalLetterDialog dialog(program_->event, 1);
        dialog.show();
        child<LetterBox>(dialog, "letterED")->stepUp();
        dialog.reject();
        QCOMPARE(program_->event.finals.info(1), "1/B");
    }

    void doubleClickOnADriverAsksForHisEntry() {
        RacingTable& heats = program_->event.heats;
        test::place(heats, 2, {{1, 12}, {2, 0}, {3, 999}});
        heats.setInfo(2, "1/A");
        TablePage page(*program_, true);
        page.show();
        QSignalSpy opened(&page, &TablePage::driverOpenRequested);
        test::doubleClick(page.grid(), cellOf(page.grid(), 2, 1));
        test::doubleClick(page.grid(), cellOf(page.grid(), 2, 3)); // not an Id 1..300
        test::doubleClick(page.grid(), cellOf(page.grid(), 2, 4)); // empty
        test::doubleClick(page.grid(), cellOf(page.grid(), 2, 0)); // heats have no letters
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0][0].toInt(), 12);
        QCOMPARE(heats.info(2), "1/A");
    }
};

QTEST_MAIN(TablePageTest)
#include "table_page_test.moc"
