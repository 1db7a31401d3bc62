#include "files/file_io.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "station/race_station.h"
#include "support/app_test_support.h"
#include "ui/main/exit_confirmation.h"
#include "ui/main/main_window.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace vexa;
using vexa::test::child;

// The main window's screens, menus and exit, driven by objectName.
class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    test::RecordingOperator op_;

    static QStringList captions(const QMenu& menu) {
        QStringList out;
        for (const QAction* a : menu.actions())
            if (!a->isSeparator()) out << a->text();
        return out;
    }

    // The program home with one event open.
    void openEventIn(Program& program) {
        program.home.root = home_.path().toStdString();
        startProgram(program);
        std::filesystem::remove_all(program.home.eventsDir());
        QVERIFY(createEvent(program, "Club Day"));
    }

  private slots:
    void everyMenuItemIsThereWithItsCaption() {
        Program program;
        MainScreens screens(program);
        MainWindow window(program, screens, op_);
        const struct {
            const char* menu;
            QStringList items;
        } menus[] = {
            {"setupMenu",
             {"New Drivers Database", "Open Drivers Database", "Program Setup",
              "House Transponders", "Transponders out"}},
            {"infoMenu", {"About", "Vexa Homepage"}},
            {"outputMenu",
             {"Final Results", "Position Print (EOR)", "Statistics", "Start Order",
              "Frequency Numbers", "Html overall", "Labels", "HTML Directory", "Upload Results",
              "Correct Results"}},
            {"driverMenu",
             {"New", "Edit", "Delete", "Find", "Copy to Database", "Copy all to Database",
              "Enable All Drivers", "Disable All Drivers", "Import from CSV File"}},
        };
        for (const auto& m : menus) QCOMPARE(captions(*child<QMenu>(window, m.menu)), m.items);

        const struct {
            const char* button;
            const char* caption;
        } buttons[] = {{"RaceBtn", "Race"},       {"TablesBtn", "Tables"},
                       {"DriversBtn", "Drivers"}, {"OutputBtn", "Output"},
                       {"OptionsBtn", "Options"}, {"DriversOptionsBtn", "&Options"},
                       {"EditBtn", "Edit"}};
        for (const auto& b : buttons)
            QCOMPARE(child<QPushButton>(window, b.button)->text(), QString::fromLatin1(b.caption));
        QCOMPARE(child<QPushButton>(window, "RaceBtn")->toolTip(),
                 QStringLiteral("Show Race Screen"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Vexa Free V0.14"));
    }

    void menusDropSeventyPixelsBelowTheTopOfTheWindow() {
        Program program;
        MainScreens screens(program);
        MainWindow window(program, screens, op_);
        window.move(100, 50);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* output = child<QPushButton>(window, "OutputBtn");
        output->click();
        auto* menu = child<QMenu>(window, "outputMenu");
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), window.mapToGlobal(QPoint(output->mapTo(&window, QPoint()).x(), 70)));
        menu->hide();
    }

    void leavingTheTablesScreenWritesBothTableFiles() {
        Program program;
        openEventIn(program);
        MainScreens screens(program);
        MainWindow window(program, screens, op_);
        auto* stack = child<QStackedWidget>(window, "Screens");
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("DriversPanel"));

        const auto heats = program.paths->heats;
        const auto finals = program.paths->finals;
        auto removeTables = [&] {
            std::filesystem::remove(heats);
            std::filesystem::remove(finals);
        };
        removeTables();
        child<QPushButton>(window, "RaceBtn")->click(); // drivers -> race: nothing written
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("RacePanel"));
        QVERIFY(!std::filesystem::exists(heats));
        child<QPushButton>(window, "TablesBtn")->click(); // race -> tables: nothing written
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("TablesPanel"));
        QVERIFY(!std::filesystem::exists(heats));

        program.event.heats.setSlotText(3, 1, "12");
        child<QPushButton>(window, "DriversBtn")->click(); // tables -> drivers: both written
        QVERIFY(std::filesystem::exists(heats));
        QVERIFY(std::filesystem::exists(finals));
        RacingTable back;
        readTable(heats, back);
        QCOMPARE(back.slotText(3, 1), std::string("12"));

        removeTables();
        child<QPushButton>(window, "TablesBtn")->click();
        child<QPushButton>(window, "RaceBtn")->click(); // tables -> race: both written
        QVERIFY(std::filesystem::exists(heats) && std::filesystem::exists(finals));
        QVERIFY(op_.shown.isEmpty());
    }

    void exitConfirmationEndsOnlyOnYes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ends");
        QTest::newRow("YES") << "YES" << true;
        QTest::newRow("yes") << "yes" << true;
        QTest::newRow("Yes") << "Yes" << true;
        QTest::newRow("y") << "y" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("yes with a blank") << "yes " << false;
    }
    void exitConfirmationEndsOnlyOnYes() {
        QFETCH(QString, typed);
        QFETCH(bool, ends);
        Program program;
        openEventIn(program);
        MainScreens screens(program);
        MainWindow window(program, screens, op_);
        window.show();
        child<QPushButton>(window, "TablesBtn")->click();
        std::filesystem::remove(program.paths->heats);

        bool stayedOpen = false;
        test::onNextModal([&](QWidget& modal) {
            QCOMPARE(modal.windowTitle(), QStringLiteral("Sure you want to exit ?"));
            auto* box = child<QLineEdit>(modal, "exitED");
            QCOMPARE(box->echoMode(), QLineEdit::Password);
            box->setText(typed);
            child<QPushButton>(modal, "OKBtn")->click();
            stayedOpen = modal.isVisible();
            if (stayedOpen) {
                QCOMPARE(box->text(), QString()); // emptied, the dialog stays
                child<QPushButton>(modal, "CancelBtn")->click();
            }
        });
        window.close();
        QCOMPARE(window.isVisible(), !ends);
        QCOMPARE(stayedOpen, !ends);
        // Ending on the tables screen saves the racing tables.
        QCOMPARE(std::filesystem::exists(program.paths->heats), ends);
    }

    void aCloseRequestDuringARaceIsIgnoredWithoutAMessage() {
        Program program;
        openEventIn(program);
        program.settings.classes[1].name = "Touring";
        program.settings.classes[1].tenSecCountdown = false;
        program.settings.raceInterval = "5";
        program.settings.raceSetup = "3";
        program.event.competitor(1).name = "Ann Lee";
        program.event.competitor(1).classno = 1;
        program.event.heats.setSlotText(1, 1, "1");
        VirtualClock clock;
        RecordingPorts ports(clock);
        VirtualScheduler scheduler(clock);
        RaceEngine engine(raceData(program),
                          RacePorts{clock, scheduler, ports, ports, ports, ports, ports, nullptr});
        MainScreens screens(program);
        screens.useRace(&engine);
        MainWindow window(program, screens, op_);
        window.show();
        child<QPushButton>(window, "RaceBtn")->click(); // opens the race screen: the countdown
        while (engine.values().RaceState != RaceStates::Running && scheduler.fireNext()) {
        }
        QCOMPARE(engine.values().RaceState, RaceStates::Running);

        bool asked = false;
        test::onNextModal([&](QWidget& modal) {
            asked = true;
            modal.close();
        });
        window.close();
        QTest::qWait(30);
        QVERIFY(!asked);
        QVERIFY(window.isVisible());
        QVERIFY(op_.shown.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
