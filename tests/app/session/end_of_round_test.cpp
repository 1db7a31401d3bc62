#include "files/event_files.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/session.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"
#include "support/test_session_ports.h"
#include "ui/main/main_window.h"

#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace vexa;
using vexa::test::child;

// The end-of-round window as the race engine opens it after the last heat of a round, driven
// through the whole session on virtual time.
class EndOfRoundTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    VirtualClock clock_;
    RecordingPorts sound_{clock_};
    VirtualScheduler scheduler_{clock_};
    test::RecordingOperator op_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<Session> session_;
    int homes_ = 0;

    // One heat of one driver, one-minute races counted by keys, in round `round`.
    void start(int round, bool finals) {
        session_.reset();
        program_ = std::make_unique<Program>();
        op_ = {};
        program_->home.root = QDir(home_.path()).filePath(QString::number(++homes_)).toStdString();
        startProgram(*program_);
        ProgSettings& s = program_->settings;
        s.raceInterval = "10";
        s.raceSetup = "5";
        s.heatMass = s.finalMass = true;
        s.roundNumber = round;
        s.racingHeats = !finals;
        s.classes[1].name = "Touring";
        s.classes[1].qualMinutes = s.classes[1].aMinutes = s.classes[1].otherMinutes = 1;
        s.classes[1].tenSecCountdown = false;
        program_->event.competitor(1).name = "Ann Lee";
        program_->event.competitor(1).classno = 1;
        program_->event.competitor(1).heatfreq = 7;
        (finals ? program_->event.finals : program_->event.heats).setSlotText(1, 1, "1");
        QVERIFY(createEvent(*program_, "Day"));
        session_ = std::make_unique<Session>(
            *program_, test::testSessionPorts(clock_, scheduler_, op_, sound_));
        session_->showMainWindow();
        child<QPushButton>(session_->mainWindow(), "RaceBtn")->click();
    }
    // Runs the race and its end; `atEnd` acts on the end-of-round window when it opens.
    void runToEndOfRound(std::function<void(QWidget&)> atEnd) {
        RaceEngine& race = session_->race();
        bool shown = false;
        test::onNextModal([&](QWidget& eor) {
            shown = true;
            QCOMPARE(eor.windowTitle(), QStringLiteral("End of Round - Options"));
            atEnd(eor);
        });
        const int done = race.completedRaces();
        while (race.completedRaces() == done && scheduler_.fireNext()) {
        }
        QVERIFY(shown);
    }
    ProgSettings storedSettings() {
        ProgSettings s;
        readEventSettings(program_->paths->settings, s);
        return s;
    }

  private slots:
    void nextRoundAsksThenMovesOnAndStartsTheCountdownAgain() {
        start(1, false);
        op_.answers = {false, true}; // Cancel first: the window stays
        runToEndOfRound([](QWidget& eor) {
            auto* next = child<QPushButton>(eor, "NextRoundBtn");
            next->click();
            QVERIFY(eor.isVisible());
            next->click();
        });
        QCOMPARE(op_.shown, (QStringList{"? Sure you want to enter the next round?",
                                         "? Sure you want to enter the next round?"}));
        QCOMPARE(program_->settings.roundNumber, 2);
        QCOMPARE(program_->settings.raceNumber, 1);
        QCOMPARE(storedSettings().roundNumber, 2); // written when the window closed
        RaceEngine& race = session_->race();
        QCOMPARE(race.values().RaceState, RaceStates::BetweenRaces);
        QVERIFY(race.countdownRunning());
        QVERIFY(std::filesystem::exists(program_->paths->dir / "html" / "eor1_1.html"));
    }

    void enterFinalsWhenAlreadyInFinalsIsRefused() {
        start(3, true);
        runToEndOfRound([&](QWidget& eor) {
            QVERIFY(!child<QPushButton>(eor, "EnterFinalsBtn")->isEnabled());
            child<QPushButton>(eor, "MainScreenBtn")->click();
        });
        QCOMPARE(program_->settings.roundNumber, 3);
    }

    void enterFinalsCopiesFrequenciesAndMovesToTheFinals() {
        start(2, false);
        op_.answer = true;
        bool sortShown = false;
        runToEndOfRound([&](QWidget& eor) {
            // The table sorting windows come preset for the finals; left without sorting here.
            test::onNextModal([&](QWidget& sort) {
                sortShown = sort.objectName() == QStringLiteral("TVexaSortTableF") &&
                            child<QRadioButton>(sort, "finalstableRB")->isChecked() &&
                            !child<QWidget>(sort, "tablesorttypeRG")->isEnabled();
                child<QPushButton>(sort, "CancelBtn")->click();
            });
            child<QPushButton>(eor, "EnterFinalsBtn")->click();
        });
        QVERIFY(sortShown);
        QCOMPARE(op_.shown, QStringList{"? Sure you want to enter finals?"});
        QVERIFY(!program_->settings.racingHeats);
        QCOMPARE(int(program_->event.competitor(1).finalfreq), 7);
        QCOMPARE(program_->settings.roundNumber, 3);
        QCOMPARE(storedSettings().racingHeats, false);
    }

    void mainScreenThenRaceShowsTheWindowAgainWithItsPages() {
        start(1, false);
        runToEndOfRound([](QWidget& eor) { child<QPushButton>(eor, "MainScreenBtn")->click(); });
        auto* stack = child<QStackedWidget>(session_->mainWindow(), "Screens");
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("DriversPanel"));
        const auto page = program_->paths->dir / "html" / "eor1_1.html";
        std::filesystem::remove(page);

        bool again = false;
        test::onNextModal([&](QWidget& eor) {
            again = true;
            child<QPushButton>(eor, "MainScreenBtn")->click();
        });
        child<QPushButton>(session_->mainWindow(), "RaceBtn")->click();
        QVERIFY(again);
        QVERIFY(std::filesystem::exists(page)); // the round's pages are written again
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("DriversPanel"));
    }

    void cleanup() {
        session_.reset();
        program_.reset();
    }
};

QTEST_MAIN(EndOfRoundTest)
#include "end_of_round_test.moc"
