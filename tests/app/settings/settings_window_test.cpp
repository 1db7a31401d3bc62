// The "Setup" window in a whole session on virtual time, driven by object name as the race
// director drives it.
#include "files/event_files.h"
#include "files/file_io.h"
#include "files/settings_file.h"
#include "platform/timing_host.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/session.h"
#include "settings/setup_close_checks.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"
#include "support/test_session_ports.h"
#include "timing/counting_equipment.h"
#include "ui/main/amb_search_window.h"
#include "ui/main/main_window.h"
#include "ui/settings/settings_grid.h"
#include "ui/settings/settings_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <pty.h>
#include <unistd.h>

#include <memory>

using namespace vexa;
using vexa::test::child;

namespace {

// A program home with an event "Club Day" open, and a session on virtual time over it.
struct Rig {
    QTemporaryDir home;
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts sound{clock};
    test::RecordingOperator op;
    Program program;
    std::unique_ptr<Session> session;

    explicit Rig(const std::function<void(Program&)>& before = {}) {
        program.home.root = home.path().toStdString();
        startProgram(program);
        program.event.competitor(1).name = "Ann Lee";
        program.event.competitor(1).classno = 1;
        program.event.heats.setSlotText(1, 1, "1");
        program.settings.classes[1].name = "Buggy";
        program.settings.classes[1].tenSecCountdown = false;
        if (before) before(program);
        createEvent(program, "Club Day");
        session =
            std::make_unique<Session>(program, test::testSessionPorts(clock, scheduler, op, sound));
        op.shown.clear();
    }
    ~Rig() { session.reset(); }

    SettingsWindow& window() { return *child<SettingsWindow>(session->mainWindow(), "TProgSetF"); }
    // The window as "Program Setup" shows it, without its modal loop.
    SettingsWindow& open() {
        SettingsWindow& w = window();
        w.FormActivate();
        w.show();
        return w;
    }
    template <typename T> T* control(const char* name) { return child<T>(window(), name); }
    void type(const char* field, const QString& text) { control<QLineEdit>(field)->setText(text); }
    void choose(const char* device) {
        for (QRadioButton* b :
             control<QGroupBox>("CountdevicetypeGB")->findChildren<QRadioButton*>())
            if (b->text() == QLatin1String(device)) b->click();
    }
    QTabWidget* tabs() { return window().findChild<QTabWidget*>(); }
    bool pageShown(const char* caption) {
        for (int i = 0; i < tabs()->count(); ++i)
            if (tabs()->tabText(i) == QLatin1String(caption)) return tabs()->isTabVisible(i);
        qFatal("no page %s", caption);
        return false;
    }
    std::string iniText() {
        const auto bytes = readWholeFile(program.home.iniFile());
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    }
    ProgSettings eventFileValues() {
        ProgSettings s;
        s.eventTitle = "unread";
        readEventSettings(program.paths->settings, s);
        return s;
    }
    void startRace() {
        session->race().openRaceScreen();
        for (int i = 0; i < 10000 && session->race().values().RaceState != RaceStates::Running; ++i)
            QVERIFY(scheduler.fireNext());
        QCOMPARE(session->race().values().RaceState, RaceStates::Running);
    }
};

// Types into a grid cell as the keyboard does, ending with Enter.
void typeInCell(SettingsGrid* grid, int row, const QString& keys) {
    grid->setCurrentCell(row, 1);
    grid->editItem(grid->item(row, 1));
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : grid->findChildren<QLineEdit*>())
        if (e->isVisibleTo(grid)) editor = e;
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, keys);
    QCOMPARE(grid->currentRow(), row); // a character too many moves nowhere
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Whether a control shows on its page (whichever page is in front).
bool shows(const QWidget* control) {
    const QWidget* page = control;
    while (page->parentWidget() && !qobject_cast<const QStackedWidget*>(page->parentWidget()))
        page = page->parentWidget();
    return control->isVisibleTo(page);
}

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensFromProgramSetupWithEveryPage() {
        Rig rig;
        QAction* item = rig.session->mainWindow().menus().programSetup;
        QVERIFY(item->isEnabled());
        QString title;
        QStringList pages;
        test::onNextModal([&](QWidget& modal) {
            title = modal.windowTitle();
            auto* tabs = modal.findChild<QTabWidget*>();
            for (int i = 0; i < tabs->count(); ++i) pages << tabs->tabText(i);
            modal.close();
        });
        item->trigger();
        QCOMPARE(title, QStringLiteral("Setup"));
        QCOMPARE(pages, QStringList({"Event", "Sound", "Misc", "Devices/Hardware", "Transponders",
                                     "Transponder Test", "Classes"}));
        QVERIFY(!rig.window().isVisible());
    }

    void closeChecks_data() {
        QTest::addColumn<QString>("minLap");
        QTest::addColumn<QString>("lastLap");
        QTest::addColumn<QString>("raceSetup");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("controllerPort");
        QTest::addColumn<QString>("message"); // empty: the window closes

        const QString none;
        const QString minLap = QString::fromLatin1(MinLapNotBelowLastLapMessage);
        const QString setup = QString::fromLatin1(RaceSetupNotBelowIntervalMessage);
        const QString port = QString::fromLatin1(SameSerialPortMessage);
        // clang-format off
        QTest::addRow("min lap 7, max last lap 7")
            << "7" << "7" << "30" << "60" << "Manual(Keyboard)" << 0 << minLap;
        QTest::addRow("race setup 60, interval 60")
            << "7" << "30" << "60" << "60" << "Manual(Keyboard)" << 0 << setup;
        QTest::addRow("both: the last failing message")
            << "7" << "7" << "60" << "60" << "Manual(Keyboard)" << 0 << setup;
        QTest::addRow("AMBrc and RCio both on Com 2")
            << "7" << "30" << "30" << "60" << "AMBrc (Serial)" << 2 << port;
        QTest::addRow("manual counting with RCio on Com 2")
            << "7" << "30" << "30" << "60" << "Manual(Keyboard)" << 2 << none;
        QTest::addRow("AMBrc on Com 2, RCio on Com 3")
            << "7" << "30" << "30" << "60" << "AMBrc (Serial)" << 3 << none;
        QTest::addRow("empty fields count as their defaults")
            << "" << "" << "" << "" << "Manual(Keyboard)" << 0 << none;
        // clang-format on
    }

    void closeChecks() {
        QFETCH(QString, minLap);
        QFETCH(QString, lastLap);
        QFETCH(QString, raceSetup);
        QFETCH(QString, interval);
        QFETCH(QString, device);
        QFETCH(int, controllerPort);
        QFETCH(QString, message);
        // The decoder port is Com 2; a port that is not there falls back to manual counting.
        Rig rig([](Program& p) { p.settings.count1ComPort = 1; });
        rig.session->timing().comPorts().setDevice(2, QStringLiteral("/dev/vexa-no-such-port"));
        const std::string iniBefore = rig.iniText();
        SettingsWindow& window = rig.open();
        rig.type("minlaptED", minLap);
        rig.type("maxlastlapT", lastLap);
        rig.type("preracewED", raceSetup);
        rig.type("tbetweenrED", interval);
        rig.type("meetingtitleED", QStringLiteral("Changed"));
        rig.choose(device.toLatin1().constData());
        rig.control<QComboBox>("displaycomLB")->setCurrentIndex(controllerPort);
        child<QPushButton>(window, "CloseBtn")->click();
        if (message.isEmpty()) {
            QVERIFY(!window.isVisible());
            QCOMPARE(rig.program.settings.eventTitle, std::string("Changed"));
        } else {
            QCOMPARE(rig.op.shown, QStringList{message});
            QVERIFY(window.isVisible());
            QCOMPARE(rig.program.settings.eventTitle, std::string());
            QCOMPARE(rig.iniText(), iniBefore);
            QCOMPARE(rig.eventFileValues().eventTitle, std::string());
            rig.op.shown.clear();
            rig.type("minlaptED", QStringLiteral("7"));
            rig.type("maxlastlapT", QStringLiteral("30"));
            rig.type("preracewED", QStringLiteral("30"));
            rig.type("tbetweenrED", QStringLiteral("60"));
            rig.control<QComboBox>("displaycomLB")->setCurrentIndex(0);
            window.close();
            QVERIFY(!window.isVisible());
        }
    }

    void aCloseWritesBothFilesWithTheValuesTyped() {
        Rig rig;
        rig.open();
        rig.type("meetingtitleED", QStringLiteral("Winter Series 3"));
        rig.type("minlaptED", QStringLiteral("9"));
        rig.type("maxlastlapT", QStringLiteral("45"));
        rig.type("tracklengthED", QStringLiteral("220"));
        rig.control<QRadioButton>("Distfeetchk")->click();
        rig.control<QSpinBox>("rounded")->setValue(3);
        rig.control<QSpinBox>("heatnumed")->setValue(12);
        rig.control<QRadioButton>("rfinal")->click();
        rig.type("maxLapED", QStringLiteral("25"));
        rig.control<QComboBox>("heattypeCB")->setCurrentIndex(1);
        rig.control<QCheckBox>("numendingCB")->setChecked(true);
        rig.control<QCheckBox>("printafterraceCB")->setChecked(false);
        rig.type("Readordmin", QString());
        rig.control<QComboBox>("displaycomLB")->setCurrentIndex(4);
        rig.type("NolightED", QStringLiteral("5"));
        rig.control<QSpinBox>("scoreboardPortSE")->setValue(50123);
        auto* names = rig.control<SettingsGrid>("ClassnameGrid");
        names->setCellText(4, 1, QStringLiteral("Touring"));
        rig.window().close();
        QVERIFY(!rig.window().isVisible());
        QVERIFY(rig.op.shown.isEmpty());

        const std::string ini = rig.iniText();
        for (const char* line :
             {"MIN LAP=9\r\n", "LAST LAP=45\r\n", "TRACK LENGTH=220\r\n", "TRACK MEASURE=FEET\r\n",
              "HEAT TYPE=MASS\r\n", "54321=YES\r\n", "RACE RESULTS=NO\r\n", "RUN ORDER=0\r\n",
              "COMPORT=4\r\n", "NOLIGHTS=5\r\n", "Class4=Touring\r\n", "SCOREBOARD PORT=50123\r\n"})
            QVERIFY2(ini.find(line) != std::string::npos, line);
        const ProgSettings event = rig.eventFileValues();
        QCOMPARE(event.eventTitle, std::string("Winter Series 3"));
        QCOMPARE(event.minLap, std::string("9"));
        QCOMPARE(event.roundNumber, 3);
        QCOMPARE(event.raceNumber, 12);
        QVERIFY(!event.racingHeats);
        QCOMPARE(event.maxRaceLaps, 25);
        QCOMPARE(rig.session->race().values().MinLap, 9);

        // Shown again, the window shows what was stored.
        rig.open();
        QCOMPARE(rig.control<QLineEdit>("Readordmin")->text(), QStringLiteral("0"));
        QCOMPARE(names->cellText(4, 1), QStringLiteral("Touring"));
        QVERIFY(rig.control<QRadioButton>("rfinal")->isChecked());
        QCOMPARE(rig.window().windowTitle(), QStringLiteral("Setup"));
        rig.window().close();
    }

    void fieldsTakeOnlyTheirKeysAndLength_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::addRow("min lap: two digits") << "minlaptED" << "1x23" << "12";
        QTest::addRow("race interval: three digits") << "tbetweenrED" << "1200" << "120";
        QTest::addRow("max race laps: four digits") << "maxLapED" << "12345" << "1234";
        QTest::addRow("track length: digits") << "tracklengthED" << "3.5m" << "35";
        QTest::addRow("address: digits and points") << "ambrcIPED" << "10.0.0.7:x" << "10.0.0.7";
        QTest::addRow("address: 16 characters")
            << "ambrcIPED" << "192.168.100.200.1" << "192.168.100.200.";
        QTest::addRow("class minutes: digits and a point") << "qualmin" << "5.5x" << "5.5";
        QTest::addRow("set name: ten characters") << "Tranname2ED" << "Light Green" << "Light Gree";
        QTest::addRow("event title: anything") << "meetingtitleED" << "Club #1" << "Club #1";
        // clang-format on
    }

    void fieldsTakeOnlyTheirKeysAndLength() {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        Rig rig([](Program& p) { p.settings.countDevice = 2; });
        rig.open();
        auto* edit = rig.control<QLineEdit>(field.toLatin1().constData());
        edit->clear();
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), shown);
        rig.window().hide();
    }

    void gridCellsStopAtTheirLength() {
        Rig rig([](Program& p) { p.settings.countDevice = 2; });
        rig.open();
        auto* transponders = rig.control<SettingsGrid>("AmbTrackGrid");
        typeInCell(transponders, 0, QStringLiteral("12345678"));
        QCOMPARE(transponders->cellText(0, 1), QStringLiteral("1234567"));
        QCOMPARE(transponders->currentRow(), 1); // Enter moved on
        auto* classes = rig.control<SettingsGrid>("ClassnameGrid");
        typeInCell(classes, 30, QStringLiteral("Touring Cars 1/10 Pro!"));
        QCOMPARE(classes->cellText(30, 1), QStringLiteral("Touring Cars 1/10 Pr"));
        QCOMPARE(classes->currentRow(), 30); // not beyond the last row
        QVERIFY(!(classes->item(3, 0)->flags() & Qt::ItemIsEditable));
        rig.window().hide();
    }

    void transponderSetsKeepWhatWasTyped() {
        Rig rig([](Program& p) {
            p.settings.countDevice = 2;
            p.settings.trackSets[2].transponders[5] = 4711;
            p.settings.trackSets[3].name = "Blue";
        });
        rig.open();
        auto* grid = rig.control<SettingsGrid>("AmbTrackGrid");
        QCOMPARE(grid->cellText(4, 1), QString()); // set 1: -1 shows empty
        rig.control<QRadioButton>("AMBtxSet2")->click();
        QCOMPARE(grid->cellText(4, 1), QStringLiteral("4711"));
        rig.type("Tranname2ED", QStringLiteral("Red"));
        typeInCell(grid, 0, QStringLiteral("1001"));
        typeInCell(grid, 4, QString()); // emptied
        typeInCell(grid, 19, QStringLiteral("1020"));
        rig.control<QRadioButton>("AMBtxSet3")->click();
        QCOMPARE(grid->cellText(0, 1), QString());
        QCOMPARE(rig.control<QLineEdit>("Tranname3ED")->text(), QStringLiteral("Blue"));
        rig.control<QRadioButton>("AMBtxSet2")->click();
        QCOMPARE(grid->cellText(0, 1), QStringLiteral("1001"));
        QCOMPARE(rig.control<QLineEdit>("Tranname2ED")->text(), QStringLiteral("Red"));
        QCOMPARE(grid->cellText(4, 1), QString());
        QCOMPARE(grid->cellText(19, 1), QStringLiteral("1020"));

        // A cell that is no number keeps the set shown, with a message naming the cell.
        typeInCell(grid, 2, QStringLiteral("12a"));
        rig.control<QRadioButton>("AMBtxSet4")->click();
        QCOMPARE(rig.op.shown, QStringList{"Transponder of car 3 in set 2: '12a' is not a whole "
                                           "number"});
        QVERIFY(rig.control<QRadioButton>("AMBtxSet2")->isChecked());
        rig.window().close();
        QVERIFY(rig.window().isVisible()); // the close is abandoned too
        typeInCell(grid, 2, QString());
        rig.window().close();
        QVERIFY(!rig.window().isVisible());

        const auto& set2 = rig.program.settings.trackSets[2].transponders;
        QCOMPARE(set2[1], 1001);
        QCOMPARE(set2[5], -1);
        QCOMPARE(set2[20], 1020);
        const std::string ini = rig.iniText();
        QVERIFY(ini.find("Set2_T1=1001\r\n") != std::string::npos);
        QVERIFY(ini.find("Set2_T5=-1\r\n") != std::string::npos);
        QVERIFY(ini.find("Set2Name=Red\r\n") != std::string::npos);
    }

    void classDetailsFollowTheSelectedRow() {
        Rig rig([](Program& p) { p.settings.classes[2].aMinutes = 8; });
        rig.open();
        auto* grid = rig.control<SettingsGrid>("ClassnameGrid");
        auto* details = rig.control<QGroupBox>("classdetGB");
        QCOMPARE(details->title(), QStringLiteral("Race Details (Class:0)"));
        rig.type("qualmin", QStringLiteral("7"));
        rig.control<QCheckBox>("StartTensec")->setChecked(false);
        grid->setCurrentCell(2, 1);
        QCOMPARE(details->title(), QStringLiteral("Race Details (Class:2)"));
        QCOMPARE(rig.control<QLineEdit>("amin")->text(), QStringLiteral("8"));
        QCOMPARE(rig.program.settings.classes[0].qualMinutes, 7);
        QVERIFY(!rig.program.settings.classes[0].tenSecCountdown);

        // An empty minute field stores 0; a decimal one abandons the switch and the close.
        rig.type("bmin", QString());
        rig.type("othermin", QStringLiteral("5.5"));
        grid->setCurrentCell(6, 1);
        QCOMPARE(rig.op.shown,
                 QStringList{"'Other Finals' minutes of class 2: '5.5' is not a whole number"});
        QCOMPARE(grid->currentRow(), 2);
        QCOMPARE(details->title(), QStringLiteral("Race Details (Class:2)"));
        rig.window().close();
        QVERIFY(rig.window().isVisible());
        QCOMPARE(rig.op.shown.size(), 2);
        rig.type("othermin", QStringLiteral("6"));
        rig.window().close();
        QVERIFY(!rig.window().isVisible());
        QCOMPARE(rig.program.settings.classes[2].bMinutes, 0);
        QCOMPARE(rig.program.settings.classes[2].otherMinutes, 6);
        QVERIFY(rig.iniText().find("O Class2=6\r\n") != std::string::npos);
    }

    void theDeviceChosenLaysOutItsControls() {
        Rig rig([](Program& p) { p.settings.count1ComPort = 8; });
        rig.open();
        auto* port = rig.control<QComboBox>("countdevicecomcb");
        auto* address = rig.control<QLineEdit>("ambrcIPED");
        QVERIFY(!shows(port));
        QVERIFY(!rig.pageShown("Transponders"));
        QVERIFY(!rig.pageShown("Transponder Test"));

        rig.choose("AMBrc (Serial)");
        QCOMPARE(port->count(), 9);
        QCOMPARE(port->currentText(), QStringLiteral("IP Address"));
        QVERIFY(shows(address));
        QVERIFY(rig.pageShown("Transponders"));
        QVERIFY(rig.pageShown("Transponder Test"));
        QVERIFY(shows(rig.control<QCheckBox>("SpTpEnabledCB")));
        QVERIFY(!shows(rig.control<QCheckBox>("Extendeds20")));

        rig.choose("AMB System 20 (Serial)");
        QCOMPARE(port->count(), 8);
        QCOMPARE(port->currentText(), QStringLiteral("Com 1"));
        QVERIFY(!shows(address));
        QVERIFY(shows(rig.control<QCheckBox>("Extendeds20")));
        QVERIFY(!rig.pageShown("Transponders"));
        QVERIFY(rig.pageShown("Transponder Test"));
        QVERIFY(!shows(rig.control<QCheckBox>("SpTpEnabledCB")));

        rig.choose("AMBrc (Serial)");
        QCOMPARE(port->count(), 9);
        QCOMPARE(port->itemText(8), QStringLiteral("IP Address"));
        QVERIFY(!shows(address));
        port->setCurrentIndex(8);
        emit port->activated(8);
        QVERIFY(shows(address));

        // The speed-trap gap shows with the speed trap only.
        auto* trap = rig.control<QCheckBox>("SpTpEnabledCB");
        trap->setChecked(false);
        QVERIFY(!shows(rig.control<QLineEdit>("SpTpgapED")));
        trap->setChecked(true);
        QVERIFY(shows(rig.control<QLineEdit>("SpTpgapED")));
        rig.choose("Manual(Keyboard)");
        rig.window().close();
    }

    void theTabsCloseUpWhenPagesGo() {
        Rig rig([](Program& p) { p.settings.countDevice = 2; });
        rig.open();
        rig.window().close();
        // The decoder was lost meanwhile: the window is laid out for manual counting while
        // hidden, then shown.
        rig.session->equipment().setCountDevice(CountingDevice::Manual);
        rig.open();
        QTabBar* bar = rig.tabs()->tabBar();
        const int devices =
            rig.tabs()->indexOf(rig.control<QGroupBox>("CountMethodGB")->parentWidget());
        const int classes =
            rig.tabs()->indexOf(rig.control<QGroupBox>("classdetGB")->parentWidget());
        QVERIFY(!rig.pageShown("Transponders"));
        QCOMPARE(bar->tabRect(classes).left(), bar->tabRect(devices).right() + 1);
        rig.window().close();
    }

    void changingTheCountingDeviceLooksForTheDecoder() {
        int controller = -1;
        int device = -1;
        char name[256] = {};
        QCOMPARE(openpty(&controller, &device, name, nullptr, nullptr), 0);
        Rig rig;
        rig.session->timing().comPorts().setDevice(1, QString::fromLatin1(name));
        rig.open();
        rig.choose("AMB System 20 (Serial)");
        AmbSearchWindow& search = rig.session->searchWindow();
        QString checking;
        QString timedOut;
        QTimer::singleShot(0, [&] {
            checking = child<QLabel>(search, "ambsearchLB")->text();
            rig.scheduler.advanceBy(2000);
            timedOut = child<QLabel>(search, "ambsearchLB")->text();
            search.hide();
        });
        rig.window().close();
        QCOMPARE(checking, QString::fromLatin1(CheckingSystem20Message));
        QCOMPARE(timedOut, QString::fromLatin1(DecoderNotFoundMessage));
        QVERIFY(!rig.window().isVisible());
        QCOMPARE(rig.session->equipment().countDevice(), CountingDevice::Manual);
        // The file was written after the search: the equipment in use is manual counting.
        QVERIFY(rig.iniText().find("COUNTDEVICE=0\r\n") != std::string::npos);

        // Closing again without a change does not look again.
        rig.open();
        rig.window().close();
        QVERIFY(!search.isVisible());
        ::close(controller);
        ::close(device);
    }

    void duringARaceTheCountMethodIsLocked() {
        Rig rig([](Program& p) { p.settings.count1ComPort = 1; });
        rig.startRace();
        rig.open();
        QVERIFY(!rig.control<QGroupBox>("CountMethodGB")->isEnabled());
        QCOMPARE(rig.control<QLabel>("checktranmessagelb")->text(),
                 QString::fromLatin1(RaceRunningTestText));
        rig.window().close();
        QVERIFY(!rig.window().isVisible());
    }

    void theTransponderTestRunsWhileTheWindowShows() {
        Rig rig;
        CountingEquipment& equipment = rig.session->equipment();
        equipment.setCountDevice(CountingDevice::System20);
        rig.open();
        QVERIFY(equipment.transponderTest().running());
        QVERIFY(rig.control<QGroupBox>("CountMethodGB")->isEnabled());
        auto* label = rig.control<QLabel>("checktranmessagelb");
        QCOMPARE(label->text(), QString::fromLatin1(WaitingForSignalText));
        equipment.CommPortDriverReceiveData("@00000105\r@05010215307\r");
        QCOMPARE(label->text(), QStringLiteral("Timer: 00:01:05"));
        QCOMPARE(rig.control<QPlainTextEdit>("CheckstranMemo")->toPlainText(),
                 QStringLiteral("Transponder:05     Hits:7     Time:01:02:15.30"));
        child<QPushButton>(rig.window(), "checksmemoClear")->click();
        QVERIFY(rig.control<QPlainTextEdit>("CheckstranMemo")->toPlainText().isEmpty());
        rig.window().close();
        QVERIFY(!equipment.transponderTest().running());
        equipment.CommPortDriverReceiveData("@00000109\r");
        QCOMPARE(label->text(), QStringLiteral("Timer: 00:01:05"));
    }

    void aDriverCrossingTheLoopIsBookedIn() {
        Rig rig([](Program& p) {
            p.settings.countDevice = 2;
            p.event.competitor(1).transponder = 4012345;
            p.event.competitor(1).enabled = 'N';
        });
        rig.open();
        rig.sound.clear();
        rig.session->equipment().CommPortDriverReceiveData(
            "\x01@\t9\t1\t4012345\t12.345\t5\t80\t2\r\n");
        QCOMPARE(rig.control<QPlainTextEdit>("CheckstranMemo")->toPlainText(),
                 QStringLiteral("Ann Lee Tx#:4012345 Time:12.345 Hits:5 Signal:80 Batt: Normal"));
        QCOMPARE(rig.program.event.competitor(1).enabled, 'Y');
        QCOMPARE(rig.sound.sounds(), std::vector<std::string>({"one.wav", "bookedin.wav"}));
        rig.window().close();
    }

    void startOrderRowsAreDraggedAndRenumbered() {
        Rig rig;
        rig.open();
        auto* grid = rig.control<SettingsGrid>("Firstrdorder");
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QWidget* rows = grid->viewport();
        const auto rowPoint = [grid](int row) {
            return QPoint(grid->columnViewportPosition(1) + 5, grid->rowViewportPosition(row) + 3);
        };
        QTest::mousePress(rows, Qt::LeftButton, {}, rowPoint(0));
        QTest::mouseMove(rows, rowPoint(2));
        QTest::mouseRelease(rows, Qt::LeftButton, {}, rowPoint(2));
        QStringList order;
        QStringList numbers;
        for (int row = 0; row < 4; ++row) {
            numbers << grid->cellText(row, 0);
            order << grid->cellText(row, 1);
        }
        QCOMPARE(numbers, QStringList({"1", "2", "3", "4"}));
        QCOMPARE(order, QStringList({"2", "3", "1", "4"}));
        rig.window().close();
        QCOMPARE(rig.program.settings.firstRoundOrder[3], 1);
        QCOMPARE(rig.program.settings.firstRoundOrder[1], 2);
    }

    void playNumberSpeaksAndMovesOn() {
        Rig rig;
        rig.open();
        auto* number = rig.control<QSpinBox>("SpinEdit1");
        number->setValue(47);
        rig.sound.clear();
        child<QPushButton>(rig.window(), "Button2")->click();
        QCOMPARE(rig.sound.sounds(), std::vector<std::string>({"forty.wav", "seven.wav"}));
        QCOMPARE(number->value(), 48);
        rig.window().close();
    }

    void theStatusBarShowsTheLongHintUnderTheMouse() {
        Rig rig;
        rig.open();
        auto* field = rig.control<QLineEdit>("minlaptED");
        QVERIFY(!field->statusTip().isEmpty());
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(field, &enter);
        QCOMPARE(rig.control<QStatusBar>("SetupFSP")->currentMessage(), field->statusTip());
        rig.window().close();
    }

    void everyInputHasALabelOrCaption() {
        Rig rig([](Program& p) { p.settings.countDevice = 2; });
        rig.open();
        QSet<const QWidget*> buddies;
        for (const QLabel* label : rig.window().findChildren<QLabel*>())
            if (label->buddy()) buddies << label->buddy();
        for (QWidget* input : rig.window().findChildren<QWidget*>()) {
            const bool needsLabel = qobject_cast<QLineEdit*>(input) ||
                                    qobject_cast<QComboBox*>(input) ||
                                    qobject_cast<QSpinBox*>(input);
            // Unnamed widgets and Qt's own parts (the text of a spin box) are parts of a control.
            if (!needsLabel || input->objectName().isEmpty() ||
                input->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(buddies.contains(input) || !input->accessibleName().isEmpty(),
                     qPrintable(input->objectName()));
        }
        rig.window().close();
    }

    void crystalSetupOpensTheFrequencyNames() {
        Rig rig;
        rig.open();
        auto* button = rig.control<QPushButton>("CrystalsetBT");
        QVERIFY(button->isEnabled());
        QString title;
        test::onNextModal([&title](QWidget& modal) {
            title = modal.windowTitle();
            modal.close();
        });
        button->click();
        QCOMPARE(title, QStringLiteral("Frequency Setup"));
        QVERIFY(rig.window().isVisible());

        // Without a window to open the button is off.
        rig.window().setCrystalSetup({});
        QVERIFY(!button->isEnabled());
        rig.window().close();
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
