// Before any Qt header: Qt's `slots` keyword would hide the helper of that name.
#include "support/event_builder.h"

#include "files/freq_names_file.h"
#include "support/app_test_support.h"
#include "support/event_home.h"
#include "ui/frequencies/frequency_allocation_window.h"
#include "ui/frequencies/frequency_check_list.h"
#include "ui/frequencies/frequency_choice_box.h"
#include "ui/frequencies/frequency_name_grid.h"
#include "ui/frequencies/frequency_setup_window.h"
#include "ui/frequencies/text_list_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace vexa;
using vexa::test::child;
using vexa::test::driver;
using vexa::test::seat;

// "Frequency Setup", "Frequencies", "Crystal Changes" and "Frequency Numbers".
class FrequencyWindowsTest : public QObject {
    Q_OBJECT

    test::EventHome home_;
    test::RecordingOperator op_;
    QStringList& messages_ = op_.shown;

    Program& program() { return home_.program(); }
    static QWidget* focused() { return QApplication::focusWidget(); }

  private slots:
    void init() {
        FreqNames& names = home_.fresh(false).freqnames;
        names.names[1] = "27.045 Brown";
        names.names[2] = "27.095 Red";
        names.names[3] = "27.145 Orange";
        messages_.clear();
    }

    void setupTypesNamesOfTwentyCharacters() {
        FrequencySetupWindow window(program(), op_);
        QCOMPARE(window.windowTitle(), QStringLiteral("Frequency Setup"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto& grid = window.grid();
        QCOMPARE(grid.rowCount(), 200);
        QCOMPARE(grid.horizontalHeaderItem(0)->text(), QStringLiteral("No."));
        QCOMPARE(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Frequency Name"));
        QCOMPARE(grid.item(199, 0)->text(), QStringLiteral("200"));
        QCOMPARE(grid.item(1, 1)->text(), QStringLiteral("27.095 Red"));

        grid.setFocus();
        grid.setCurrentCell(3, 1);
        for (const char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXY")) QTest::keyClick(focused(), c);
        QTest::keyClick(focused(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(grid.item(3, 1)->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(grid.currentRow(), 4); // Enter moves to the next row
        grid.setCurrentCell(199, 1);
        QTest::keyClick(&grid, Qt::Key_Return);
        QCOMPARE(grid.currentRow(), 199); // not beyond row 200
    }

    void draggedRowsAreSavedInRowOrder() {
        FrequencySetupWindow window(program(), op_);
        auto& grid = window.grid();
        grid.moveName(0, 2); // Brown dragged onto row 3
        QCOMPARE(grid.item(0, 1)->text(), QStringLiteral("27.095 Red"));
        QCOMPARE(grid.item(1, 1)->text(), QStringLiteral("27.145 Orange"));
        QCOMPARE(grid.item(2, 1)->text(), QStringLiteral("27.045 Brown"));
        QCOMPARE(grid.item(2, 0)->text(), QStringLiteral("3"));
        child<QPushButton>(window, "OKBtn")->click();
        QCOMPARE(program().freqnames.name(3), "27.045 Brown");
        FreqNames back;
        QVERIFY(loadFreqNames(program().home.freqNamesFile(), back).ok);
        QCOMPARE(back.name(1), "27.095 Red");
        QCOMPARE(back.name(3), "27.045 Brown");
    }

    void aFailedWriteKeepsTheSetupOpen() {
        // A folder where the names file goes cannot be replaced by the file.
        std::filesystem::remove(program().home.freqNamesFile());
        std::filesystem::create_directories(program().home.freqNamesFile() / "blocked");
        FrequencySetupWindow window(program(), op_);
        window.show();
        child<QPushButton>(window, "OKBtn")->click();
        QVERIFY(window.isVisible());
        QCOMPARE(messages_.size(), 1);
        std::filesystem::remove_all(program().home.freqNamesFile());
        child<QPushButton>(window, "OKBtn")->click();
        QVERIFY(!window.isVisible());
    }

    void allocationChoosesFromTheCheckedCrystals() {
        comp_ent& ann = driver(program().event, 1, "Ann Lee");
        ann.setOwnedFreqs({1, 3});
        ann.heatfreq = 1;
        driver(program().event, 2, "Bob Day").heatfreq = 2;
        driver(program().event, 3, "Carl Moss").heatfreq = 1;
        program().event.competitor(3).setNoFreqNeeded(true);
        seat(program().event.heats, 1, {1, 2, 3});

        FrequencyAllocationWindow window(program(), 1);
        QCOMPARE(window.windowTitle(), QStringLiteral("Frequencies"));
        auto* crystals = child<FrequencyCheckList>(window, "freqlistCLB");
        QCOMPARE(crystals->count(), 200);
        QCOMPARE(crystals->checked(), (std::vector<int>{1, 3}));
        QCOMPARE(crystals->isWrapping(), true); // two columns
        auto* heat = child<FrequencyChoiceBox>(window, "heatfreqCB");
        QCOMPARE(heat->count(), 3);
        QCOMPARE(heat->currentText(), QStringLiteral("27.045 Brown"));
        auto* conflict = child<QLabel>(window, "heatconflictLB");
        QCOMPARE(conflict->text(), QString()); // Carl needs no frequency

        // Ticking Red offers it when the drop-down opens; choosing it shows the conflict.
        crystals->item(1)->setCheckState(Qt::Checked);
        heat->showPopup();
        heat->hidePopup();
        QCOMPARE(heat->count(), 4);
        QCOMPARE(heat->itemText(2), QStringLiteral("27.095 Red"));
        heat->setCurrentIndex(2);
        emit heat->activated(2);
        QCOMPARE(program().event.competitor(1).heatfreq, 2);
        QCOMPARE(conflict->text(), QStringLiteral("Conflict"));

        auto* final = child<FrequencyChoiceBox>(window, "finalfreqCB");
        QCOMPARE(final->itemText(0), QString()); // no final frequency yet
        emit final->activated(1);
        QCOMPARE(program().event.competitor(1).finalfreq, 1);

        crystals->item(0)->setCheckState(Qt::Unchecked);
        child<QPushButton>(window, "OKBtn")->click();
        QCOMPARE(program().event.competitor(1).ownedFreqs(), (std::vector<int>{2, 3}));
    }

    void theGroupOfTheTableRacedFromIsOnTop() {
        driver(program().event, 1, "Ann Lee");
        for (const bool heats : {true, false}) {
            program().settings.racingHeats = heats;
            program().settings.oneColumn = !heats;
            FrequencyAllocationWindow window(program(), 1);
            window.show();
            const int heatTop = child<QGroupBox>(window, "heatfreqGB")->y();
            const int finalTop = child<QGroupBox>(window, "finalfreqGB")->y();
            QCOMPARE(heatTop < finalTop, heats);
            QCOMPARE(child<FrequencyCheckList>(window, "freqlistCLB")->isWrapping(), heats);
        }
    }

    void crystalChangesAndFrequencyNumbersAreRebuiltWhenShown() {
        comp_ent& ann = driver(program().event, 12, "Ann Lee");
        ann.heatfreq = 1;
        ann.finalfreq = 2;
        ann.setOwnedFreqs({1, 2});
        driver(program().event, 13, "Bob Day").setOwnedFreqs({2});
        CrystalChangesWindow changes(program());
        QCOMPARE(changes.windowTitle(), QStringLiteral("Crystal Changes"));
        changes.show();
        QCOMPARE(changes.list().count(), 1);
        QCOMPARE(changes.list().item(0)->text(), QStringLiteral("(12) :Ann Lee"));
        changes.hide();
        ann.enabled = 'N';
        changes.show();
        QCOMPARE(changes.list().count(), 0);

        FrequencyNumbersWindow numbers(program());
        numbers.show();
        QCOMPARE(numbers.list().count(), 2);
        QCOMPARE(numbers.list().item(0)->text(), QStringLiteral("27.045 Brown = 1"));
        QCOMPARE(numbers.list().item(1)->text(), QStringLiteral("27.095 Red = 2"));
    }
};

QTEST_MAIN(FrequencyWindowsTest)
#include "frequency_windows_test.moc"
