#include "files/event_files.h"
#include "files/file_io.h"
#include "output/result_outputs.h"
#include "output/small_event.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/virtual_time.h"
#include "station/race_station.h"
#include "support/print_recorder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace vexa;
using namespace vexa::test;

namespace {

struct SilentSound : SoundOut {
    void load(int, const std::filesystem::path&) override {}
    bool active() const override { return false; }
    void play(int, int) override {}
};
struct NoEquipment : TimingEquipment {
    CountingDevice device = CountingDevice::Ambrc;
    CountingDevice countDevice() const override { return device; }
    void TurnAmbOn(bool) override {}
    void TurnAmbOff() override {}
};
struct NoTrackController : TrackController {
    void OpenRcioPort() override {}
    void SetLights(StartLight) override {}
    void SendRaceNumber(int, int) override {}
    void SendTimeDisplay(bool, int) override {}
    void ClearScoreboard() override {}
    void SendScoreboard(const std::vector<ScoreboardPosition>&) override {}
};
struct OperatorMessages : Operator {
    std::vector<std::string> shown;
    void inform(const std::string& text) override { shown.push_back(text); }
    bool ask(const std::string&, Buttons) override { return true; }
};

// A print job that hands its transcript to the test when it closes.
struct SharedRecorder : PrintRecorder {
    std::vector<std::string>& jobs;
    explicit SharedRecorder(std::vector<std::string>& j, bool refuse) : jobs(j) {
        refuseOpen = refuse;
    }
    Outcome close() override {
        jobs.push_back(transcript);
        return PrintRecorder::close();
    }
};

// The small event in an event directory of a program home, counted on an AMBrc decoder: heat 1
// (Ann Lee, Bob Stone), heat 2 (Christopher) and heat 4 (Bob) of round 1.
class EndOfRace : public ::testing::Test {
  protected:
    EndOfRace() : program(smallProgram()), scheduler(clock) {
        program.home.root = home.path();
        eventDir = home.path() / "event files" / "Day";
        std::filesystem::create_directories(eventDir / "html");
        program.paths = EventPaths::in(eventDir);
        program.settings.countDevice = 2;
        program.event.heats.setSlotText(4, 1, "");
        // Hour-long mass starts without countdown beeps; every crossing counts a lap.
        program.settings.heatMass = true;
        program.settings.countFirst = true;
        for (int c : {1, 2}) {
            program.settings.classes[c].qualMinutes = 60;
            program.settings.classes[c].tenSecCountdown = false;
        }
    }

    ~EndOfRace() override { raceEngine.reset(); } // its timers stop before the scheduler goes

    RaceEngine& attach(ResultOutputs& outputs) {
        raceEngine.reset();
        raceEngine = std::make_unique<RaceEngine>(
            raceData(program),
            RacePorts{clock, scheduler, sound, op, equipment, track, outputs, nullptr});
        return *raceEngine;
    }

    // Starts heat `race` with "Start Race", gives every entrant `laps` laps of 30 s (the car in
    // slot 1 one lap more), ends the race and runs until its end-of-race processing is done.
    void runHeat(RaceEngine& engine, int race, int laps) {
        countHeat(engine, race, laps);
        scheduler.advanceBy(2001); // the end-of-race processing, then the messages
    }

    // The same up to the race's end.
    void countHeat(RaceEngine& engine, int race, int laps) {
        program.settings.raceNumber = race;
        engine.StartBtnClick();
        ASSERT_EQ(engine.values().RaceState, RaceStates::Running);
        const RaceDrivers& drivers = engine.values().race_drivers;
        for (int lap = 1; lap <= laps + 1; ++lap) {
            scheduler.advanceBy(30000);
            for (size_t i = 0; i < drivers.size(); ++i)
                if (lap <= laps + (drivers[i].carno == 1 ? 1 : 0))
                    engine.sortCarPass(static_cast<int>(i), engine.RaceTime());
        }
        engine.End_race();
    }

    ResultOutputPorts ports() {
        return {[this] { return std::make_unique<SharedRecorder>(jobs, noPrinter); },
                [] { return testMoment(); }, op, scheduler, [this] { ++endOfRoundWindows; }};
    }

    bool sheetsPending() const { return std::filesystem::exists(eventDir / PendingSheetsFileName); }

    std::string page(const std::string& name) {
        const auto bytes = readWholeFile(eventDir / "html" / name);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    }

    TempDir home;
    std::filesystem::path eventDir;
    Program program;
    VirtualClock clock;
    VirtualScheduler scheduler;
    SilentSound sound;
    NoEquipment equipment;
    NoTrackController track;
    OperatorMessages op;
    std::vector<std::string> jobs;
    bool noPrinter = false;
    int endOfRoundWindows = 0;
    std::unique_ptr<RaceEngine> raceEngine;
};

} // namespace

TEST_F(EndOfRace, PrintsCopiesWritesThePageAndTheUploadRunThenTheEndOfRoundPages) {
    ResultOutputs outputs(program, testIdentity(), ports());
    RaceEngine& engine = attach(outputs);
    engine.setCopies(2);

    runHeat(engine, 1, 10);
    EXPECT_EQ(program.event.cptres[1].laps[1], 11);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0], jobs[1]);
    EXPECT_EQ(jobs[0].rfind(SmallEventHead, 0), 0u);
    EXPECT_NE(jobs[0].find("( Race Results ) Heat: 1 Round: 1 Touring\n"), std::string::npos);
    EXPECT_NE(page("h1r1.html").find("<TD ALIGN=left>Bob Stone</TD>"), std::string::npos);
    const auto upload = readWholeFile(eventDir / "mlri.dat");
    ASSERT_TRUE(upload);
    EXPECT_NE(std::string(upload->begin(), upload->end()).find(R"(<RUN Name="Heat:1 Round:1")"),
              std::string::npos);
    EXPECT_TRUE(op.shown.empty());
    EXPECT_EQ(endOfRoundWindows, 0);

    // Heat 2 is the last of the table: the overall pages of round 1 are written and the window
    // opens.
    runHeat(engine, 2, 9);
    EXPECT_EQ(endOfRoundWindows, 1);
    EXPECT_NE(page("eor1_1.html").find("<TD ALIGN=left>Christopher Montgomery Jr</TD>"),
              std::string::npos);
    EXPECT_TRUE(op.shown.empty());

    // A finals table rebuilt from the results of rounds 1 to 1 writes their overall page too.
    std::filesystem::remove(eventDir / "html" / "eor1_1.html");
    outputs.writeOverallPage(1, 1);
    EXPECT_NE(page("eor1_1.html").find("Overall Results after Round:1"), std::string::npos);

    // Without an AMBrc decoder no upload data is written; printing can be switched off.
    program.settings.printRaceResults = false;
    equipment.device = CountingDevice::Manual;
    const auto uploadBefore = readWholeFile(eventDir / "mlri.dat");
    runHeat(engine, 1, 10);
    EXPECT_EQ(jobs.size(), 4u);
    EXPECT_EQ(readWholeFile(eventDir / "mlri.dat"), uploadBefore);
}

TEST_F(EndOfRace, FailedOutputsKeepTheResultsAndAreShownOnceAfterTheRace) {
    noPrinter = true;
    std::filesystem::create_directory(eventDir / "html" / "h1r1.html"); // cannot be replaced
    ResultOutputs outputs(program, testIdentity(), ports());
    RaceEngine& engine = attach(outputs);
    engine.setCopies(3);

    runHeat(engine, 1, 10);
    EXPECT_EQ(program.event.cptres[1].laps[1], 11);
    EXPECT_EQ(program.event.cptres[2].laps[1], 10);
    ASSERT_TRUE(readWholeFile(program.paths->results));
    EXPECT_EQ(readWholeFile(program.paths->results)->size(), 2u * 20u);
    EXPECT_TRUE(std::filesystem::exists(eventDir / "mlri.dat"));
    EXPECT_TRUE(engine.countdownRunning());
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_NE(op.shown[0].find("No printer"), std::string::npos);
    EXPECT_NE(op.shown[0].find("h1r1.html"), std::string::npos);

    // The same failures at the next race are not shown again.
    runHeat(engine, 1, 8);
    EXPECT_EQ(op.shown.size(), 1u);

    // Once printing works again, a new failure is shown again.
    noPrinter = false;
    runHeat(engine, 1, 8);
    EXPECT_EQ(op.shown.size(), 1u);
    noPrinter = true;
    runHeat(engine, 1, 8);
    ASSERT_EQ(op.shown.size(), 2u);
    EXPECT_EQ(op.shown[1], "No printer");
}

TEST_F(EndOfRace, TheSheetIsPrintedOnceTheRaceIsStoredAndAfterACrashAtTheNextOpening) {
    RaceEngine* engine = nullptr;
    std::vector<std::string> printedWhen;
    ResultOutputPorts printing = ports();
    printing.printer = [&] {
        EventData stored;
        readResults(program.paths->results, stored);
        printedWhen.push_back(std::string(engine->countdownRunning() ? "countdown" : "held") +
                              (sheetsPending() ? ", kept" : "") + ", stored " +
                              std::to_string(stored.cptres[1].laps[1]));
        return std::make_unique<SharedRecorder>(jobs, false);
    };
    auto outputs = std::make_unique<ResultOutputs>(program, testIdentity(), printing);
    engine = &attach(*outputs);
    engine->setCopies(2);
    runHeat(*engine, 1, 10);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(printedWhen, std::vector<std::string>(2, "countdown, kept, stored 11"));
    EXPECT_FALSE(sheetsPending());
    const std::string heat1 = jobs[0];

    // Heat 2 is stored, and the program dies before its sheet is printed.
    countHeat(*engine, 2, 9);
    for (int fired = 0; fired < 1000 && !sheetsPending(); ++fired)
        ASSERT_TRUE(scheduler.fireNext());
    raceEngine.reset();
    outputs.reset();
    EXPECT_EQ(jobs.size(), 2u);
    EventData stored;
    readResults(program.paths->results, stored);
    EXPECT_EQ(stored.cptres[3].laps[1], 9); // Christopher's heat 2

    // Opened again, the event prints it just after, as it would have been printed.
    ResultOutputs reopened(program, testIdentity(), ports());
    reopened.eventOpened();
    EXPECT_EQ(jobs.size(), 2u);
    scheduler.advanceBy(1);
    ASSERT_EQ(jobs.size(), 4u);
    EXPECT_EQ(jobs[2], jobs[3]);
    EXPECT_NE(jobs[2].find("( Race Results ) Heat: 2 Round: 1 Buggy\n"), std::string::npos);
    EXPECT_NE(jobs[2].find("Christopher"), std::string::npos);
    const size_t head = heat1.find("( Race Results )");
    EXPECT_EQ(jobs[2].substr(0, head), heat1.substr(0, head)); // the same head
    EXPECT_FALSE(sheetsPending());
    EXPECT_TRUE(op.shown.empty());
}
