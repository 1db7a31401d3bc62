// The save at the end of a race when the disk refuses it (full): the operator is told once, the
// save is tried again until it works (and the operator told then), and the race number never
// moves on before the results are in their file; the next race waits for them.
#include "files/event_files.h"
#include "program/event_store.h"
#include "support/race_fixture.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <functional>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

// The operator's message boxes. While a failure is shown, `whileShown` runs: the program's
// message box runs the timers on in its own message loop.
class BoxOperator : public Operator {
  public:
    std::vector<std::string> shown;
    std::function<void()> whileShown;

    void inform(const std::string& text) override { shown.push_back(text); }
    void reportFailure(const std::string& text) override {
        shown.push_back(text);
        if (whileShown) whileShown();
    }
    bool ask(const std::string&, Buttons) override { return true; }
};

class ResultsSave : public test::RaceFixture {
  protected:
    ResultsSave() {
        program.home.root = dir.path();
        massHeats();
        raceMinutes(1);
        EXPECT_TRUE(createEvent(program, "Club Day").ok);
        engineOn(RacePorts{clock, scheduler, ports, op, ports, ports, ports, nullptr});
    }

    // The disk refuses the file: where its new copy is written stands a folder.
    void refuse(const fs::path& file) {
        fs::create_directories(fs::path(file.string() + ".tmp") / "full");
    }
    void accept(const fs::path& file) { fs::remove_all(file.string() + ".tmp"); }

    EventData resultsOnDisk() const {
        EventData stored;
        readResults(program.paths->results, stored);
        return stored;
    }
    int raceNumberOnDisk() const {
        ProgSettings saved;
        readEventSettings(program.paths->settings, saved);
        return saved.raceNumber;
    }

    // Heat 1 with car 1 counting two laps, run to its end.
    void runHeatOne() {
        openAndStart();
        keyAt(20, '1');
        keyAt(40, '1');
        runToRaceEnd();
    }

    test::TempDir dir;
    BoxOperator op;
};

} // namespace

TEST_F(ResultsSave, AFullDiskIsToldOnceAndTheRaceIsSavedOnceSpaceReturns) {
    struct Case {
        const char* what;
        bool resultsRefused; // else the settings file with the race number
        bool lastOfTable;
    };
    for (const Case c : {Case{"results file", true, false}, Case{"settings file", false, false},
                         Case{"results file, end of the table", true, true}}) {
        SCOPED_TRACE(c.what);
        dropEngine();
        engineOn(RacePorts{clock, scheduler, ports, op, ports, ports, ports, nullptr});
        program.settings.raceNumber = 1;
        program.event.heats = RacingTable{};
        program.event.clearResults();
        ASSERT_TRUE(writeResults(program.paths->results, program.event).ok);
        ASSERT_TRUE(writeEventSettings(program.paths->settings, program.settings).ok);
        race(1, {1, 2});
        if (!c.lastOfTable) race(2, {3, 4});
        ports.clear();
        op.shown.clear();
        const fs::path refused =
            c.resultsRefused ? program.paths->results : program.paths->settings;
        refuse(refused);

        runHeatOne();
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_NE(op.shown[0].find(refused.filename().string() + " could not be written"),
                  std::string::npos)
            << op.shown[0];
        EXPECT_NE(op.shown[0].find(SaveRetryText), std::string::npos);
        EXPECT_EQ(engine().panel().TimeLB, ResultsNotSavedText);

        // A minute on: told once only, the race number still on the race not saved, and nothing
        // moves on to the next race.
        runTo(now() + 60);
        EXPECT_EQ(op.shown.size(), 1u);
        EXPECT_TRUE(engine().saveWaiting());
        EXPECT_EQ(raceNumberOnDisk(), 1);
        if (c.resultsRefused) {
            EXPECT_EQ(program.settings.raceNumber, 1);
            EXPECT_EQ(resultsOnDisk().cptres[1].laps[1], -1);
        }
        EXPECT_FALSE(engine().countdownRunning());
        EXPECT_FALSE(engine().panel().preButtonsVisible);
        engine().StartBtnClick();
        EXPECT_NE(engine().values().RaceState, RaceStates::Running);
        EXPECT_TRUE(ports.texts("endofround").empty());

        accept(refused);
        runTo(now() + SaveRetryMs / 1000.0);
        ASSERT_EQ(op.shown.size(), 2u);
        EXPECT_EQ(op.shown[1], ResultsSavedMessage);
        EXPECT_FALSE(engine().saveWaiting());
        EXPECT_EQ(resultsOnDisk().cptres[1].laps[1], 2);
        if (c.lastOfTable) {
            EXPECT_EQ(ports.texts("endofround").size(), 1u);
            continue;
        }
        EXPECT_EQ(raceNumberOnDisk(), 2);
        EXPECT_TRUE(engine().countdownRunning());
        openAndStart();
        EXPECT_EQ(engine().values().RaceNumber, 2);
        EXPECT_EQ(op.shown.size(), 2u);
    }
}

TEST_F(ResultsSave, SpaceFreedWhileTheFailureIsShownIsToldAfterIt) {
    race(1, {1, 2});
    race(2, {3, 4});
    refuse(program.paths->results);
    // The operator frees space and reads on for a while before closing the message.
    op.whileShown = [this] {
        accept(program.paths->results);
        runTo(now() + 2 * SaveRetryMs / 1000.0);
    };
    runHeatOne();
    ASSERT_EQ(op.shown.size(), 2u);
    EXPECT_NE(op.shown[0].find("could not be written"), std::string::npos);
    EXPECT_EQ(op.shown[1], ResultsSavedMessage);
    EXPECT_EQ(resultsOnDisk().cptres[1].laps[1], 2);
    EXPECT_EQ(raceNumberOnDisk(), 2);
    EXPECT_TRUE(engine().countdownRunning());
}
