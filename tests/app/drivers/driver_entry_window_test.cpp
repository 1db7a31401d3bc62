#include "files/event_files.h"
#include "support/app_test_support.h"
#include "support/event_home.h"
#include "ui/drivers/driver_entry_window.h"
#include "ui/drivers/picture_dialog.h"
#include "ui/drivers/picture_view.h"
#include "ui/drivers/results_grid.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using namespace vexa;
using vexa::test::child;

// "Drivers Details" driven by its controls, as the race director uses it.
class DriverEntryWindowTest : public QObject {
    Q_OBJECT

    test::EventHome home_;
    test::RecordingOperator op_;
    QStringList& messages_ = op_.shown;

    Program& program() { return home_.program(); }
    comp_ent& competitor(int id) { return program().event.competitor(id); }
    QString picsDir() const { return home_.filePath(QStringLiteral("driverpics")); }

    // The window shown on a competitor and active, so that focus moves can be seen.
    std::unique_ptr<DriverEntryWindow> openOn(int id) {
        auto window = std::make_unique<DriverEntryWindow>(program(), op_);
        window->setCompetitor(id);
        window->show();
        if (!QTest::qWaitForWindowActive(window.get())) qFatal("the window did not become active");
        return window;
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    static void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }
    // Typing into the grid: the first key opens the cell's editor, the rest go into it.
    static void typeInGrid(const char* text) {
        for (const char* c = text; *c; ++c) QTest::keyClick(focused(), *c);
    }
    // Enter in a cell's editor; the grid moves once the editor has closed.
    static void enterInGrid() {
        QTest::keyClick(focused(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }

  private slots:
    void init() {
        Program& program = home_.fresh();
        program.settings.classes[4].name = "Touring";
        program.freqnames.names[3] = "27.095 Red";
        messages_.clear();
    }

    void captionsHintsAndBuddies() {
        auto window = openOn(1);
        QCOMPARE(window->windowTitle(), QStringLiteral("Drivers Details"));
        QCOMPARE(child<QPushButton>(*window, "BackBtn")->toolTip(),
                 QStringLiteral("Move Competetors backwards (+ Shift to go to start)"));
        QCOMPARE(child<QPushButton>(*window, "ForwardBtn")->toolTip(),
                 QStringLiteral("Move Competetors forwards (+ Shift to go to end)"));
        QCOMPARE(child<QPushButton>(*window, "FreqBtn")->text(), QStringLiteral("Fre&q "));
        QCOMPARE(child<QCheckBox>(*window, "nofreqCHK")->text(),
                 QStringLiteral("No Freq Needed / 2.4Ghz"));
        QCOMPARE(child<QCheckBox>(*window, "enabledCHK")->text(), QStringLiteral("Driver Enabled"));
        QCOMPARE(child<QPushButton>(*window, "CloseBtn")->text(), QStringLiteral("Close"));
        QStringList buddied;
        for (QLabel* label : window->findChildren<QLabel*>())
            if (label->buddy()) buddied << label->text();
        for (const char* caption : {"Name", "Class", "Ability", "Mem #", "AMB DP"})
            QVERIFY2(buddied.contains(QString::fromLatin1(caption)), caption);
        auto* grid = child<ResultsGrid>(*window, "ResultsGRD");
        QCOMPARE(grid->rowCount(), 20);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Round"));
        QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Laps"));
        QCOMPARE(grid->horizontalHeaderItem(3)->text(), QStringLiteral("Time"));
    }

    void enterMovesThroughTheBoxes() {
        auto window = openOn(1);
        auto* name = child<QLineEdit>(*window, "nameED");
        auto* classBox = child<QSpinBox>(*window, "classSE");
        auto* freq = child<QPushButton>(*window, "FreqBtn");
        auto* ability = child<QLineEdit>(*window, "abilityED");
        auto* memno = child<QLineEdit>(*window, "memnoED");
        auto* transponder = child<QLineEdit>(*window, "transED");
        program().settings.requiresFreq = true;
        window->setCompetitor(1);

        name->setFocus();
        QTest::keyClicks(name, "ann van lee");
        QCOMPARE(competitor(1).name, "ann van lee"); // every change is stored
        enter(name);
        QCOMPARE(name->text(), QStringLiteral("Ann Van Lee"));
        QCOMPARE(competitor(1).name, "Ann Van Lee");
        QCOMPARE(focused(), classBox);
        enter(classBox);
        QCOMPARE(focused(), freq);
        ability->setFocus();
        enter(ability);
        QCOMPARE(focused(), memno);
        enter(memno);
        QCOMPARE(focused(), name);
        transponder->setFocus();
        enter(transponder);
        QCOMPARE(focused(), memno);

        // Without a frequency to allocate, Enter in the class goes on to the ability.
        child<QCheckBox>(*window, "nofreqCHK")->setChecked(true);
        QVERIFY(!freq->isEnabled());
        classBox->setFocus();
        enter(classBox);
        QCOMPARE(focused(), ability);
        QVERIFY(window->isVisible()); // Enter never pressed a button that closes the window
    }

    void digitsOnlyBoxesDropLetters() {
        auto window = openOn(2);
        auto* ability = child<QLineEdit>(*window, "abilityED");
        auto* transponder = child<QLineEdit>(*window, "transED");
        auto* id = child<QLineEdit>(*window, "idnumED");
        ability->setFocus();
        QTest::keyClicks(ability, "5x-5");
        QCOMPARE(ability->text(), QStringLiteral("55"));
        QCOMPARE(competitor(2).ability, 55);
        ability->clear();
        QTest::keyClicks(ability, "150");
        QCOMPARE(ability->text(), QStringLiteral("100"));
        QCOMPARE(competitor(2).ability, 100);
        transponder->setFocus();
        QTest::keyClicks(transponder, "12a34 567890");
        QCOMPARE(transponder->text(), QStringLiteral("1234567"));
        QCOMPARE(competitor(2).transponder, 1234567);
        id->setFocus();
        id->selectAll();
        QTest::keyClicks(id, "1e2");
        QCOMPARE(id->text(), QStringLiteral("12"));
    }

    void theIdBoxAndItsRangeMessage() {
        competitor(7).name = "Bob Day";
        auto window = openOn(1);
        auto* id = child<QLineEdit>(*window, "idnumED");
        id->setFocus();
        id->selectAll();
        QTest::keyClicks(id, "7");
        enter(id);
        QCOMPARE(window->shownId(), 7);
        QCOMPARE(child<QLineEdit>(*window, "nameED")->text(), QStringLiteral("Bob Day"));
        id->selectAll();
        QTest::keyClicks(id, "301");
        enter(id);
        QCOMPARE(window->shownId(), 1);
        QCOMPARE(id->text(), QStringLiteral("1"));
        QCOMPARE(messages_, QStringList{QStringLiteral("Remember numbers are from 1 to 300")});
    }

    void forwardOntoAFreeEntryKeepsTheClass() {
        competitor(10).name = "Ann Lee";
        competitor(10).classno = 4;
        auto window = openOn(10);
        auto* classBox = child<QSpinBox>(*window, "classSE");
        QCOMPARE(child<QLabel>(*window, "classnameLB")->text(), QStringLiteral("Touring"));
        QTest::keyClick(focused(), Qt::Key_PageDown);
        QCOMPARE(window->shownId(), 11);
        QCOMPARE(classBox->value(), 4);
        QCOMPARE(child<QLabel>(*window, "classnameLB")->text(), QStringLiteral("Touring"));
        QTest::keyClick(focused(), Qt::Key_PageUp);
        QCOMPARE(window->shownId(), 10);
        child<QPushButton>(*window, "ForwardBtn")->click();
        child<QPushButton>(*window, "BackBtn")->click();
        child<QPushButton>(*window, "BackBtn")->click();
        QCOMPARE(window->shownId(), 9);
        QCOMPARE(classBox->value(), 0); // going back carries no class
    }

    void aFreeEntryTakesTheSettingsFrequencyNeed() {
        program().settings.requiresFreq = false;
        auto window = openOn(3);
        QVERIFY(child<QCheckBox>(*window, "nofreqCHK")->isChecked());
        QVERIFY(!child<QPushButton>(*window, "FreqBtn")->isEnabled());
        QCOMPARE(child<QLabel>(*window, "freqnameLB")->text(), QStringLiteral("Not Req/2.4Ghz"));
        program().settings.requiresFreq = true;
        window->setCompetitor(4);
        QVERIFY(!child<QCheckBox>(*window, "nofreqCHK")->isChecked());
        QVERIFY(child<QPushButton>(*window, "FreqBtn")->isEnabled());
        QCOMPARE(child<QLabel>(*window, "freqnameLB")->text(), QStringLiteral("None"));
        competitor(4).heatfreq = 3;
        window->setCompetitor(4);
        QCOMPARE(child<QLabel>(*window, "freqnameLB")->text(), QStringLiteral("27.095 Red"));
    }

    void resultsTypedInTheGridReachTheResultsFile() {
        competitor(5).name = "Ann Lee";
        program().event.storeResult(5, 1, 12, 301.456789);
        auto window = openOn(5);
        auto* grid = child<ResultsGrid>(*window, "ResultsGRD");
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("12"));
        QCOMPARE(grid->item(0, 3)->text(), QStringLiteral("301.457"));
        QCOMPARE(grid->item(1, 2)->text(), QString());

        grid->setFocus();
        grid->setCurrentCell(1, 2);
        typeInGrid("9x");
        enterInGrid();
        QCOMPARE(grid->currentColumn(), 3); // Laps -> Time
        typeInGrid("185.5");
        enterInGrid();
        QCOMPARE(grid->currentRow(), 2); // Time -> Laps of the next round
        QCOMPARE(grid->currentColumn(), 2);
        typeInGrid("7"); // still being typed when the window closes

        QSignalSpy changed(window.get(), &DriverEntryWindow::competitorsChanged);
        window->close();
        QCOMPARE(changed.count(), 1);
        EventData back;
        readResults(program().paths->results, back);
        QCOMPARE(back.cptres[5].laps[1], 12);
        QCOMPARE(back.cptres[5].time[1], program().event.cptres[5].time[1]); // kept exactly
        QVERIFY(back.cptres[5].time[1] != 301.457);
        QCOMPARE(back.cptres[5].laps[2], 9);
        QCOMPARE(back.cptres[5].time[2], 185.5);
        QCOMPARE(back.cptres[5].laps[3], 7);
        QCOMPARE(back.cptres[5].time[3], -1.0);
    }

    void closingWritesTheCompetitorsFile() {
        // "Close" does what the window's own close does.
        auto window = openOn(8);
        QTest::keyClicks(child<QLineEdit>(*window, "nameED"), "Carl Moss");
        child<QCheckBox>(*window, "enabledCHK")->setChecked(false);
        child<QPushButton>(*window, "CloseBtn")->click();
        QVERIFY(!window->isVisible());
        EventData back;
        QVERIFY(readCompetitors(program().paths->competitors, back).ok);
        QCOMPARE(back.competitor(8).name, "Carl Moss");
        QCOMPARE(back.competitor(8).enabled, 'N');
        QVERIFY(messages_.isEmpty());
    }

    void picturesShowOnlyWhenTheFileReadsAsAPicture() {
        QDir().mkpath(picsDir());
        QImage image(40, 50, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(picsDir() + QStringLiteral("/ann.jpg"), "JPG"));
        QFile damaged(picsDir() + QStringLiteral("/broken.jpg"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray("\xff\xd8\xff\xe0 this is no picture at all", 32));
        damaged.close();

        competitor(1).name = "Ann Lee";
        competitor(1).picture = "ann.jpg";
        competitor(2).name = "Bob Day";
        competitor(2).picture = "broken.jpg";
        competitor(3).name = "Carl Moss";
        competitor(3).picture = "missing.jpg";
        auto window = openOn(1);
        auto* picture = child<PictureView>(*window, "PictureIMG");
        QVERIFY(picture->showsPicture());
        window->setCompetitor(2);
        QVERIFY(!picture->showsPicture());
        window->setCompetitor(3);
        QVERIFY(!picture->showsPicture());

        // "&Picture File" lists the pictures sorted, the current one selected.
        test::onNextModal([](QWidget& modal) {
            auto* files = child<QListWidget>(modal, "FileListBox");
            QCOMPARE(modal.windowTitle(), QStringLiteral("Drivers Picture"));
            QCOMPARE(files->count(), 2);
            QCOMPARE(files->item(0)->text(), QStringLiteral("ann.jpg"));
            QVERIFY(files->selectedItems().isEmpty()); // missing.jpg is not in the list
            files->item(1)->setSelected(true);
            QVERIFY(!child<PictureView>(modal, "PictureIMG")->showsPicture()); // broken
            files->item(0)->setSelected(true);
            QVERIFY(child<PictureView>(modal, "PictureIMG")->showsPicture());
            child<QPushButton>(modal, "OKBtn")->click();
        });
        child<QPushButton>(*window, "PictureBtn")->click();
        QCOMPARE(competitor(3).picture, "ann.jpg");
        QVERIFY(picture->showsPicture());
        child<QPushButton>(*window, "RemovePicBtn")->click();
        QCOMPARE(competitor(3).picture, "");
        QVERIFY(!picture->showsPicture());
    }

    void pictureDialogWithoutASelectionOrWithoutPictures() {
        PictureDialog none(picsDir().toStdString(), "", op_);
        child<QPushButton>(none, "OKBtn")->click(); // an empty list just closes
        QCOMPARE(none.result(), int(QDialog::Rejected));
        QVERIFY(!none.chosen());
        QVERIFY(messages_.isEmpty());

        QDir().mkpath(picsDir());
        QFile(picsDir() + QStringLiteral("/b.jpg")).open(QIODevice::WriteOnly);
        QFile(picsDir() + QStringLiteral("/A.jpg")).open(QIODevice::WriteOnly);
        PictureDialog some(picsDir().toStdString(), "", op_);
        some.show();
        auto* files = child<QListWidget>(some, "FileListBox");
        QCOMPARE(files->item(0)->text(), QStringLiteral("A.jpg"));
        child<QPushButton>(some, "OKBtn")->click();
        QCOMPARE(messages_, QStringList{QStringLiteral("No picture selected")});
        QVERIFY(some.isVisible());
        child<QPushButton>(some, "CancelBtn")->click();
        QVERIFY(!some.chosen());
    }
};

QTEST_MAIN(DriverEntryWindowTest)
#include "driver_entry_window_test.moc"
