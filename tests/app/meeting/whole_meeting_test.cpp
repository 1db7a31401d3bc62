#include "files/event_files.h"
#include "files/file_io.h"
#include "journal/journal_records.h"
#include "platform/pdf_print_stream.h"
#include "program/message_desk.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "replay/journal_replay.h"
#include "session/race_view_bridge.h"
#include "session/session.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"
#include "support/test_session_ports.h"
#include "tables/tables_test_support.h"
#include "ui/main/main_window.h"
#include "ui/race/race_screen.h"
#include "ui/race/standings_grid.h"
#include "ui/settings/settings_grid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>
#include <vector>

using namespace vexa;
using vexa::test::child;
using vexa::test::onModal;

namespace {

struct Entry {
    const char* name;
    int classNo;
};

// Eight drivers in two classes, entered in this order (Ids 1 to 8).
const Entry Drivers[] = {{"Ann Lee", 1}, {"Bob Hill", 1}, {"Cy Hart", 1},  {"Di Moss", 1},
                         {"Ed Kane", 2}, {"Flo Rigg", 2}, {"Gus Pike", 2}, {"Hal Ward", 2}};

// The pages of a PDF file.
int pdfPages(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(pdf.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

} // namespace

// A whole meeting through the program's windows, as a race director runs it: the event created
// in the welcome window, the drivers entered, the times set up, the heats sorted, two rounds of
// heats and a round of finals counted with the keys, the results printed and the program left.
// The race engine runs on virtual time, so a meeting of ten races takes a few seconds.
class WholeMeetingTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    VirtualClock clock_;
    VirtualScheduler scheduler_{clock_};
    RecordingPorts sound_{clock_};
    test::RecordingOperator op_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<Session> session_;
    QStringList printed_; // the PDF files printed, in order
    QStringList offered_; // the PDF files the print dialog offered
    int sheetsPrinted_ = 0;

    MainWindow& window() { return session_->mainWindow(); }
    RaceEngine& race() { return session_->race(); }
    void clickTop(const char* name) { child<QPushButton>(window(), name)->click(); }

    void createTheEvent() {
        test::onNextModal([](QWidget& welcome) {
            QCOMPARE(welcome.objectName(), QStringLiteral("WelcomeF"));
            child<QLineEdit>(welcome, "neweventED")->setText(QStringLiteral("Summer Cup"));
            child<QPushButton>(welcome, "CreateBtn")->click();
        });
        QVERIFY(session_->chooseEvent());
        session_->showMainWindow();
        QVERIFY(program_->eventOpen());
    }

    void enterTheDrivers() {
        for (const Entry& d : Drivers) {
            onModal("CompF", [&d](QWidget& entry) {
                QTest::keyClicks(child<QLineEdit>(entry, "nameED"), QLatin1String(d.name));
                child<QSpinBox>(entry, "classSE")->setValue(d.classNo);
                entry.close();
            });
            window().menus().newDriver->trigger();
        }
    }

    // Two one-minute classes; mass starts; ten seconds between races, the last five the set-up.
    void setUpTheTimes() {
        onModal("TProgSetF", [](QWidget& setup) {
            auto* classes = child<SettingsGrid>(setup, "ClassnameGrid");
            const char* names[] = {"", "Buggy", "Truck"};
            for (int c = 1; c <= 2; ++c) {
                classes->setCellText(c, 1, QLatin1String(names[c]));
                classes->setCurrentCell(c, 1);
                for (const char* minutes : {"qualmin", "amin", "bmin", "othermin"})
                    child<QLineEdit>(setup, minutes)->setText(QStringLiteral("1"));
                child<QCheckBox>(setup, "StartTensec")->setChecked(false);
            }
            classes->setCurrentCell(0, 1); // the last class's details are taken on leaving it
            child<QLineEdit>(setup, "tbetweenrED")->setText(QStringLiteral("10"));
            child<QLineEdit>(setup, "preracewED")->setText(QStringLiteral("5"));
            child<QComboBox>(setup, "heattypeCB")->setCurrentIndex(1);
            child<QPushButton>(setup, "CloseBtn")->click();
        });
        window().menus().programSetup->trigger();
        QCOMPARE(program_->settings.classes[2].name, std::string("Truck"));
        QCOMPARE(program_->settings.classes[2].qualMinutes, 1);
        QVERIFY(program_->settings.heatMass);
    }

    void sortTheHeatsByAbility() {
        clickTop("TablesBtn");
        onModal("TVexaSortTableF", [](QWidget& sort) {
            QVERIFY(child<QRadioButton>(sort, "heattableRB")->isChecked());
            child<QRadioButton>(sort, "abilitysortRB")->click();
            child<QPushButton>(sort, "NextBtn")->click();
        });
        onModal("TVexaheatsortcont",
                [](QWidget& control) { child<QPushButton>(control, "OKBtn")->click(); });
        child<QPushButton>(window(), "SortBtn")->click();
    }

    // One race counted with the keys: the car in slot s passes every 8 + s seconds, so slot 1
    // does the most laps. `atEnd` acts on the end-of-round window when this race ends the round.
    // The keys go to `counted`, the race panel unless another window has the keyboard.
    void runARace(std::function<void(QWidget&)> atEnd = {}, QWidget* counted = nullptr) {
        fireUntil([this] { return race().values().RaceState == RaceStates::Running; });
        QCOMPARE(race().values().RaceState, RaceStates::Running);
        QWidget* panel = counted ? counted : child<QWidget>(window(), "racePanelWidget");
        const double start = clock_.milliseconds() - race().RaceTime() * 1000.0;
        for (int second = 1; second < 60; ++second) {
            scheduler_.advanceTo(static_cast<int64_t>(start + second * 1000.0));
            for (int slot = 1; slot <= 4; ++slot)
                if (second % (8 + slot) == 0) QTest::keyClick(panel, Qt::Key(Qt::Key_0 + slot));
        }
        bool roundEnded = false;
        if (atEnd)
            test::onNextModal([&](QWidget& eor) {
                roundEnded = eor.windowTitle() == QStringLiteral("End of Round - Options");
                atEnd(eor);
            });
        const int done = race().completedRaces();
        fireUntil([&] { return race().completedRaces() != done; });
        QCOMPARE(race().completedRaces(), done + 1);
        QCOMPARE(roundEnded, bool(atEnd));
    }

    // Virtual time on until `reached`, at most ten minutes of it.
    void fireUntil(const std::function<bool()>& reached) {
        const int64_t limit = clock_.milliseconds() + 600'000;
        while (!reached() && clock_.milliseconds() < limit && scheduler_.fireNext()) {
        }
        if (!reached())
            qWarning("stopped at state %d, race second %.1f, race %d of round %d",
                     race().values().RaceState, race().RaceTime(), program_->settings.raceNumber,
                     program_->settings.roundNumber);
    }

    // Every race run has its journal, whatever led to it (the next heat, "Next Round", "Enter
    // Finals" and "&Start Race"), and the journal alone runs its race again to the results that
    // were stored.
    void everyRaceIsJournaled() {
        EventData stored;
        readResults(program_->paths->results, stored);
        struct Run {
            const char* name;
            bool heats;
            int race, round;
        };
        const Run runs[] = {{"h1r1", true, 1, 1},  {"h2r1", true, 2, 1},  {"h1r2", true, 1, 2},
                            {"h2r2", true, 2, 2},  {"f1r3", false, 1, 3}, {"f2r3", false, 2, 3},
                            {"f3r3", false, 3, 3}, {"f4r3", false, 4, 3}};
        for (const Run& run : runs) {
            const auto file = program_->paths->dir / (std::string(run.name) + ".journal");
            const auto bytes = readWholeFile(file);
            QVERIFY2(bytes, run.name);
            const Journal journal = readJournal(std::string(bytes->begin(), bytes->end()));
            QVERIFY2(journal.ended() && journal.raceSetUp(), run.name);
            const RecordedRace& race = journal.setUps.back().race;
            QVERIFY2(race.heats == run.heats && race.race == run.race && race.round == run.round,
                     run.name);

            OpenedJournalReplay opened = openJournalReplay(file, openJournalEvent);
            QVERIFY2(opened.replay, opened.problem.c_str());
            QVERIFY2(opened.notes.empty(), opened.notes.empty() ? "" : opened.notes[0].c_str());
            QVERIFY2(opened.replay->run(nullptr, nullptr, {}).ok, run.name);
            const EventData& replayed = opened.replay->program.event;
            for (const RecordedEntrant& e : journal.setUps.back().entrants) {
                QCOMPARE(replayed.cptres[e.id].laps[run.round],
                         stored.cptres[e.id].laps[run.round]);
                QCOMPARE(replayed.cptres[e.id].time[run.round],
                         stored.cptres[e.id].time[run.round]);
            }
        }
    }

    // What the race panel and the race screen show of the race that comes next.
    void nextRaceShown(const char* title, const char* round, const char* startType,
                       const char* length) {
        session_->raceView().redrawNow(); // the grids as the next frame draws them
        QCOMPARE(child<QLabel>(window(), "heatnumLB")->text(), QLatin1String(title));
        QCOMPARE(child<QLabel>(window(), "roundLB")->text(), QLatin1String(round));
        QCOMPARE(child<QLabel>(window(), "rtype")->text(), QLatin1String(startType));
        QCOMPARE(child<QLabel>(window(), "racedur")->text(), QLatin1String(length));
        QCOMPARE(child<QTableView>(window(), "CRaceGrid")->model()->rowCount(), 0);
        auto* spectators = window().findChild<RaceScreen*>();
        QCOMPARE(child<QLabel>(*spectators, "specheatnumLB")->text(), QLatin1String(title));
        QCOMPARE(child<QLabel>(*spectators, "specroundLB")->text(), QLatin1String(round));
        QCOMPARE(spectators->grid().model()->rowCount(), 0);
    }

    // The Id in a race's slot of a table.
    static int seatedId(const RacingTable& table, int race, int slot) {
        return std::atoi(table.slotText(race, slot).c_str());
    }

    // Chooses an item of the race menu, opened as "Race Options" opens it.
    void chooseFromRaceMenu(const char* caption) {
        child<QPushButton>(window(), "raceoptions")->click();
        auto* menu = child<QMenu>(window(), "rsmenu");
        for (QAction* a : menu->actions())
            if (a->text() == QLatin1String(caption)) a->trigger();
        menu->hide();
    }

  private slots:
    void aWholeMeeting() {
        program_ = std::make_unique<Program>();
        program_->home.root = home_.path().toStdString();
        startProgram(*program_);
        SessionPorts ports = test::testSessionPorts(clock_, scheduler_, op_, sound_);
        // The default printer is missing at the first race's end, and there again after it.
        ports.printer = [this] {
            auto job = std::make_unique<test::PrintRecorder>();
            job->refuseOpen = sheetsPrinted_++ == 0;
            return job;
        };
        ports.chosenPrinter = [this](QWidget*, const QString& pdfFile) {
            offered_ << pdfFile;
            printed_ << QDir(home_.path())
                            .filePath(QStringLiteral("print%1.pdf").arg(printed_.size() + 1));
            return std::make_unique<PdfPrintStream>(printed_.back().toStdString());
        };
        session_ = std::make_unique<Session>(*program_, ports);

        createTheEvent();
        enterTheDrivers();
        setUpTheTimes();
        for (int id = 1; id <= 8; ++id) {
            QCOMPARE(program_->event.competitor(id).name, std::string(Drivers[id - 1].name));
            QCOMPARE(int(program_->event.competitor(id).classno), Drivers[id - 1].classNo);
        }
        sortTheHeatsByAbility();
        const RacingTable heats = program_->event.heats;
        for (int heat = 1; heat <= 2; ++heat)
            for (int slot = 1; slot <= 4; ++slot) {
                const int id = seatedId(heats, heat, slot);
                QVERIFY2(id >= 1 && id <= 8,
                         qPrintable(QString::fromStdString(heats.slotText(heat, slot))));
                QCOMPARE(int(program_->event.competitor(id).classno), heat);
            }

        // Round 1, then "Next Round" and round 2. The race panel shows the race to come at once.
        clickTop("RaceBtn");
        nextRaceShown("Buggy Heat# 1", "Round 1", "Mass Start", "1 Min Race");
        runARace();
        // The first race's sheet could not be printed: the message waits while the next race
        // runs, on the notice line and in the log, and the keys go on counting.
        // The failures are told just after the race's processing.
        fireUntil([this] { return !session_->messages().log().empty(); });
        const QString noPrinter = QStringLiteral("No printer");
        QCOMPARE(child<QLabel>(window(), "timingNoticeLB")->text(), noPrinter);
        QVERIFY(!op_.shown.contains(noPrinter));
        QCOMPARE(session_->messages().log().size(), size_t(1));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                    .match(QString::fromStdString(session_->messages().log()[0].time))
                    .hasMatch());
        // The second heat counted from the spectators' race screen, which has the keyboard.
        chooseFromRaceMenu("Spectator Screen");
        auto* spectators = window().findChild<RaceScreen*>();
        QVERIFY(spectators->isVisible());
        QVERIFY(child<QPushButton>(*spectators, "backToPanelBtn")->isVisible()); // one monitor
        runARace(
            [this](QWidget& eor) {
                QCOMPARE(child<QLabel>(eor, "eorroundLB")->text(),
                         QStringLiteral("Round 1 of the Heats has ended"));
                // No race runs: the message that waited is shown now.
                QTRY_VERIFY(op_.shown.contains(QStringLiteral("No printer")));
                child<QPushButton>(eor, "NextRoundBtn")->click();
            },
            spectators);
        child<QPushButton>(*spectators, "backToPanelBtn")->click();
        QVERIFY(!spectators->isVisible());
        QCOMPARE(program_->settings.roundNumber, 2);
        nextRaceShown("Buggy Heat# 1", "Round 2", "Mass Start", "1 Min Race");
        runARace();
        // "Enter Finals": A and B finals of two by the points of both rounds.
        runARace([](QWidget& eor) {
            onModal("TVexaSortTableF", [](QWidget& sort) {
                QVERIFY(child<QRadioButton>(sort, "finalstableRB")->isChecked());
                // By the results, although the heats were sorted by ability.
                QVERIFY(child<QRadioButton>(sort, "ResultSortRB")->isChecked());
                child<QRadioButton>(sort, "ScorebyRbyrCB")->click();
                child<QSpinBox>(sort, "roundsrtSE")->setValue(1);
                child<QSpinBox>(sort, "roundfinSE")->setValue(2);
                child<QPushButton>(sort, "NextBtn")->click();
            });
            onModal("TVexaheatsortcont", [](QWidget& control) {
                auto* grid = child<QTableWidget>(control, "DriverclassnumSG");
                for (int row = 0; row < 2; ++row) grid->item(row, 4)->setText(QStringLiteral("2"));
                child<QPushButton>(control, "UpdateBtn")->click();
                child<QPushButton>(control, "OKBtn")->click();
            });
            child<QPushButton>(eor, "EnterFinalsBtn")->click();
        });
        QVERIFY(!program_->settings.racingHeats);
        QCOMPARE(program_->settings.roundNumber, 3);
        QCOMPARE(session_->screens().current(), Screen::Tables); // on the finals page

        // Both rounds are stored: in each heat slot 1 did 6 laps, slot 4 did 4.
        EventData stored;
        readResults(program_->paths->results, stored);
        for (int round = 1; round <= 2; ++round)
            for (int heat = 1; heat <= 2; ++heat) {
                QCOMPARE(stored.cptres[seatedId(heats, heat, 1)].laps[round], 6);
                QCOMPARE(stored.cptres[seatedId(heats, heat, 4)].laps[round], 4);
                QVERIFY(stored.cptres[seatedId(heats, heat, 1)].time[round] > 50.0);
            }

        // The finals table: per class an A final of the two best and a B final of the others.
        RacingTable finals;
        readTable(program_->paths->finals, finals);
        std::map<std::string, std::vector<int>> byLetter;
        for (int f = 1; f <= 4; ++f) {
            std::vector<int>& ids = byLetter[finals.info(f)];
            for (int slot = 1; slot <= MaxSlots; ++slot)
                if (seatedId(finals, f, slot) > 0) ids.push_back(seatedId(finals, f, slot));
            QCOMPARE(ids.size(), size_t(2));
        }
        for (int classNo = 1; classNo <= 2; ++classNo) {
            const std::string a = std::to_string(classNo) + "/A";
            const std::string b = std::to_string(classNo) + "/B";
            QVERIFY2(byLetter.count(a) && byLetter.count(b), finals.info(1).c_str());
            const auto& best = byLetter[a];
            for (int slot = 1; slot <= 2; ++slot)
                QVERIFY(std::find(best.begin(), best.end(), seatedId(heats, classNo, slot)) !=
                        best.end());
        }

        // Back on the race screen the countdown stands where the round ended, with the first
        // final (of the Buggies, their B final) on the panel: "Start Race" goes on to it. The
        // four finals; the last ends the round.
        clickTop("RaceBtn");
        nextRaceShown("Buggy B Final# 1", "Round 3", "Mass Start", "1 Min Race");
        QCOMPARE(race().values().RaceState, RaceStates::CountdownPaused);
        child<QPushButton>(window(), "StartBtn")->click();
        for (int f = 1; f <= 3; ++f) runARace();
        runARace([](QWidget& eor) { child<QPushButton>(eor, "MainScreenBtn")->click(); });
        EventData afterFinals;
        readResults(program_->paths->results, afterFinals);
        for (int f = 1; f <= 4; ++f)
            QCOMPARE(afterFinals.cptres[seatedId(finals, f, 1)].laps[3] > 0, true);
        everyRaceIsJournaled();

        // "Final Results" and the positions, printed to PDF.
        onModal("Ttotalfinal", [](QWidget& results) {
            child<QSpinBox>(results, "SpinEdit1")->setValue(1);
            child<QSpinBox>(results, "SpinEdit2")->setValue(4);
            child<QSpinBox>(results, "SpinEdit3")->setValue(3);
            child<QPushButton>(results, "OKBtn")->click();
        });
        window().menus().finalResults->trigger();
        onModal("Trestypefrm", [](QWidget& positions) {
            child<QPushButton>(positions, "OKBtn")->click();
            QVERIFY(positions.isVisible());
            child<QPushButton>(positions, "CancelBtn")->click();
        });
        window().menus().positionPrint->trigger();
        QCOMPARE(printed_.size(), 2);
        for (const QString& pdf : printed_) QCOMPARE(pdfPages(pdf), 1);
        // The print dialog offered each report as a PDF file in the event's folder.
        const QString folder =
            QDir(home_.path()).filePath(QStringLiteral("event files/Summer Cup/"));
        QCOMPARE(offered_, (QStringList{folder + QStringLiteral("Final Results.pdf"),
                                        folder + QStringLiteral("FTD Positions.pdf")}));

        // Leaving with "yes" writes the event.
        onModal("ExitF", [](QWidget& exit) {
            QTest::keyClicks(child<QLineEdit>(exit, "exitED"), QStringLiteral("yes"));
            child<QPushButton>(exit, "OKBtn")->click();
        });
        window().close();
        QVERIFY(!window().isVisible());
        ProgSettings onDisk;
        readEventSettings(program_->paths->settings, onDisk);
        QCOMPARE(onDisk.roundNumber, 3);
        QVERIFY(!onDisk.racingHeats);
        // The one message of the meeting, shown once.
        QCOMPARE(op_.shown.filter(QRegularExpression(QStringLiteral("^[^?]"))),
                 QStringList{QStringLiteral("No printer")});
    }

    void cleanup() {
        session_.reset();
        program_.reset();
    }
};

QTEST_MAIN(WholeMeetingTest)
#include "whole_meeting_test.moc"
