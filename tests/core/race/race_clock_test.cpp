#include "files/event_files.h"
#include "files/file_io.h"
#include "support/race_fixture.h"
#include "support/temp_dir.h"

using namespace vexa;
using vexa::test::RaceFixture;

namespace {

class RaceClock : public RaceFixture {
  protected:
    // Events of a kind with their virtual seconds, as "t text".
    std::vector<std::string> timed(const std::string& kind) const {
        std::vector<std::string> out;
        for (const auto& e : ports.events)
            if (e.kind == kind)
                out.push_back(std::to_string(e.ms / 1000) + "." +
                              std::to_string(e.ms % 1000 / 100) + " " + e.text);
        return out;
    }
    const RaceDriver& car(int carno) {
        return engine().values().race_drivers[static_cast<size_t>(engine().findCarNumber(carno))];
    }
    // The virtual second at which End_race ran, from the race-over call.
    double raceOverAt() const {
        for (const auto& e : ports.events)
            if (e.kind == "sound" && e.text == "1 raceover.wav") return e.ms / 1000.0;
        return -1;
    }
};

} // namespace

TEST_F(RaceClock, CountdownSetsTheRaceUpAtTheSetupSecondAndAgainAtZero) {
    massHeats();
    race(1, {1, 2});
    engine().openRaceScreen();
    runTo(31);
    EXPECT_EQ(engine().panel().TimeLB, "PRE RACE COUNTDOWN: 00:00:30");
    EXPECT_TRUE(engine().values().SetupDone);
    EXPECT_EQ(engine().values().RaceState, RaceStates::BetweenRaces);
    runTo(61);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
    EXPECT_EQ(timed("racenumber"),
              (std::vector<std::string>{"31.0 heat 1 round 1", "61.0 heat 1 round 1"}));
    EXPECT_EQ(timed("lights"),
              (std::vector<std::string>{"0.0 0", "1.0 1", "56.0 5", "57.0 6", "58.0 7", "59.0 8",
                                        "60.0 9", "61.0 3", "61.0 10"}));
    EXPECT_EQ(timed("equipment"), (std::vector<std::string>{"61.0 on race"}));
    EXPECT_EQ(soundsBetween(0, 61), (std::vector<std::string>{"start.wav"}));
    EXPECT_FALSE(engine().panel().preButtonsVisible);
    EXPECT_TRUE(engine().values().ManualKeys);
    runTo(61.5);
    EXPECT_EQ(engine().panel().TimeLB, "Race Timer: 00:00:01   Remaining: 00:04:59");
}

TEST_F(RaceClock, CountdownCallsLightsAndBeepsFollowTheSettings) {
    massHeats();
    race(1, {1});
    program.settings.betweenWarning = true;
    program.settings.raceInterval = "300";
    program.settings.noLights = "20";
    program.settings.amberLight = "15";
    program.settings.countBeeps = 3;
    program.settings.classes[1].tenSecCountdown = true;
    engine().openRaceScreen();
    runTo(301);
    EXPECT_EQ(soundsBetween(0, 300),
              (std::vector<std::string>{"five.wav", "nextmin.wav", "four.wav", "nextmin.wav",
                                        "three.wav", "nextmin.wav", "two.wav", "nextmin.wav",
                                        "onenext.wav", "thirty.wav", "secondsdrv.wav", "twenty.wav",
                                        "secondsdrv.wav", "ten.wav", "secondsdrv.wav",
                                        "cntdown.wav", "cntdown.wav", "cntdown.wav"}));
    EXPECT_TRUE(hasEvent("lights", "0"));
    const auto lights = timed("lights");
    EXPECT_NE(std::find(lights.begin(), lights.end(), "281.0 0"), lights.end());
    EXPECT_NE(std::find(lights.begin(), lights.end(), "286.0 2"), lights.end());
}

TEST_F(RaceClock, TenSecondCountdownStartsAfterARandomDelay) {
    massHeats();
    race(1, {1});
    program.settings.classes[1].tenSecCountdown = true;
    engine().openRaceScreen();
    runTo(61);
    EXPECT_NE(engine().values().RaceState, RaceStates::Running);
    EXPECT_EQ(engine().panel().TimeLB, "Start within 3 s");
    while (engine().values().RaceState != RaceStates::Running && scheduler.fireNext()) {
    }
    const double delay = now() - 61;
    EXPECT_GE(delay, 0.5);
    EXPECT_LT(delay, 3.0);
    EXPECT_DOUBLE_EQ(raceStart(), now());
}

TEST_F(RaceClock, MassRaceEndsWhenTheLastRunningCarHasStopped) {
    massHeats();
    race(1, {1, 2});
    openAndStart();
    keyAt(20, '1');
    keyAt(299.9, '1');
    runToRaceEnd();
    // Car 2 never crossed: finished at time up with no laps. Car 1 stops counting as running
    // once 30 s have passed without a crossing, at clock second 330.
    EXPECT_TRUE(car(2).finished());
    EXPECT_EQ(car(2).lapcount, 0);
    EXPECT_FALSE(car(1).seen);
    EXPECT_EQ(car(1).predlapcount, 2);
    EXPECT_NEAR(car(1).predtime, 299.9, 1e-9);
    EXPECT_DOUBLE_EQ(raceOverAt(), 61 + 329.5);
    EXPECT_EQ(program.event.cptres[1].laps[1], 2);
    EXPECT_NEAR(program.event.cptres[1].time[1], 299.9, 1e-9);
    EXPECT_EQ(program.event.cptres[2].laps[1], 0);
    EXPECT_DOUBLE_EQ(program.event.cptres[2].time[1], 0.0);
}

TEST_F(RaceClock, MassRaceEndsEarlyOnceEveryCarHasFinished) {
    massHeats();
    race(1, {1, 2});
    openAndStart();
    for (int lap = 0; lap < 6; ++lap) {
        keyAt(150 + lap * 25, '1');
        keyAt(160 + lap * 25, '2');
    }
    keyAt(301, '1');
    keyAt(305, '2');
    runToRaceEnd();
    EXPECT_DOUBLE_EQ(raceOverAt(), 61 + 305.5);
    EXPECT_EQ(engine().values().FinishedCount, 2);
}

TEST_F(RaceClock, TheLargestTimeSettingsNeitherWrapTheClockNorEndTheRaceAtOnce) {
    // Settings held in memory at the top of the 32-bit range (the files' readers hold them to
    // their fields, this is the engine's own arithmetic): the race runs its time and ends once
    // no car is running.
    program.settings.lastLap = "2147483647";
    program.settings.lastStart = "2147483647";
    for (const bool mass : {true, false}) {
        SCOPED_TRACE(mass ? "mass start" : "stagger start");
        program.settings.heatMass = mass;
        program.settings.classes[1].readStartOrder = false;
        raceMinutes(1);
        race(1, {1, 2});
        race(2, {1, 2});
        program.settings.raceNumber = mass ? 1 : 2;
        openAndStart();
        const double origin = raceClockOrigin();
        for (double t : {1.0, 20.0, 40.0, 62.0}) {
            keyAt(t, '1');
            keyAt(t + 1, '2');
        }
        runToRaceEnd();
        EXPECT_GT(raceOverAt(), origin + 63) << "the race ended before the cars finished";
        // The crossings at 1 and 2 s are inside the minimum lap (mass start) or start the car
        // (stagger start); the three after them count.
        EXPECT_EQ(program.event.cptres[1].laps[1], 3);
        EXPECT_EQ(program.event.cptres[2].laps[1], 3);
        dropEngine();
        ports.clear();
    }
}

TEST_F(RaceClock, StaggerRaceAllowsTheLatestStartOnTopOfTheLastLap) {
    race(1, {1, 2, 3});
    program.settings.classes[1].readStartOrder = false;
    openAndStart();
    keyAt(50, '1');
    for (int lap = 1; lap <= 15; ++lap) keyAt(50 + lap * 19.0, '1'); // to 335, endtime 350
    runToRaceEnd();
    // Cars that never started are finished at time up; car 1 is still running when the
    // allowance of 300 + 30 + 30 s runs out.
    EXPECT_TRUE(car(2).finished());
    EXPECT_FALSE(car(1).finished());
    EXPECT_DOUBLE_EQ(raceOverAt(), 61 + 360.5);
    EXPECT_EQ(program.event.cptres[1].laps[1], 15);
    EXPECT_DOUBLE_EQ(program.event.cptres[1].time[1], 285.0); // its own time
}

TEST_F(RaceClock, RunningOrderIsCalledEveryIntervalUntilTheFirstFinish) {
    massHeats();
    program.settings.remainTime = true;
    program.settings.maxRaceLaps = 2;
    race(1, {1, 2, 3});
    openAndStart();
    keyAt(20, '2');
    keyAt(25, '1');
    runTo(raceStart() + 119.6);
    EXPECT_EQ(soundsBetween(raceStart() + 119, raceStart() + 120),
              (std::vector<std::string>{"currently.wav", "two.wav", "intorace.wav", "with.wav",
                                        "three.wav", "remain.wav", "runorder.wav", "two.wav",
                                        "one.wav"}));
    keyAt(200, '1'); // lap 2: the lap limit finishes car 1
    runTo(raceStart() + 245);
    EXPECT_TRUE(soundsBetween(raceStart() + 230, raceStart() + 245).empty());
}

TEST_F(RaceClock, ClockSecondsCallHalfTimeTheLastSecondsAndTimeUp) {
    massHeats();
    program.settings.count54321 = true;
    program.settings.runOrder = "0";
    program.settings.raceNumber = 2;
    race(2, {1});
    openAndStart();
    runTo(raceStart() + 150);
    EXPECT_EQ(engine().panel().timebarColour, BarColour::Green);
    EXPECT_EQ(engine().panel().timebar, 50);
    runTo(raceStart() + 300);
    EXPECT_EQ(
        soundsBetween(raceStart() + 0.1, raceStart() + 300),
        (std::vector<std::string>{"half.wav", "two.wav", "thirty.wav", "secondsdrv.wav", "five.wav",
                                  "four.wav", "three.wav", "two.wav", "one.wav", "lfinish.wav"}));
    EXPECT_EQ(engine().panel().timebarColour, BarColour::Yellow);
    EXPECT_EQ(engine().panel().timebar, 100);
}

TEST_F(RaceClock, CrossingMarkFadesOverFourSeconds) {
    massHeats();
    race(1, {1});
    openAndStart();
    keyAt(20.2, '1');
    EXPECT_EQ(engine().standings().rows()[0].carText, GridColour::White);
    // Clock seconds 21, 22, 23 and 24 come at 20.5, 21.5, 22.5 and 23.5 s.
    runTo(raceStart() + 22.6);
    EXPECT_EQ(engine().values().race_drivers[0].passmark, 1);
    EXPECT_EQ(engine().standings().rows()[0].carText, GridColour::White);
    runTo(raceStart() + 23.6);
    EXPECT_EQ(engine().values().race_drivers[0].passmark, 0);
    EXPECT_EQ(engine().standings().rows()[0].carText, GridColour::Blue);
}

TEST_F(RaceClock, ConsecutiveLapsScoring) {
    massHeats();
    program.settings.clr = true;
    program.settings.clrLaps = 5;
    race(1, {1, 2});
    openAndStart();
    const std::vector<std::pair<double, char>> keys = {
        {20, '1'}, {30, '2'}, {40, '1'},  {58, '1'},  {60, '2'},  {75, '1'},
        {90, '2'}, {92, '1'}, {110, '1'}, {120, '2'}, {130, '1'}, {150, '1'}};
    for (const auto& [t, key] : keys) keyAt(t, key);
    engine().EndRaceClick();
    runToRaceEnd();
    // Car 1: laps 20 20 18 17 17 18 20 20; the fastest five in a row start at lap 2.
    EXPECT_EQ(car(1).clrfirstlap, 2);
    EXPECT_EQ(program.event.cptres[1].laps[1], 5);
    EXPECT_DOUBLE_EQ(program.event.cptres[1].time[1], 90.0);
    // Car 2 has only four laps: they count with their whole time.
    EXPECT_EQ(program.event.cptres[2].laps[1], 4);
    EXPECT_DOUBLE_EQ(program.event.cptres[2].time[1], 120.0);
}

TEST_F(RaceClock, AfterTheRaceResultsAreSavedAndTheNextRaceIsSelected) {
    vexa::test::TempDir dir;
    program.paths = EventPaths::in(dir.path());
    massHeats();
    race(1, {1, 2});
    race(2, {3});
    program.settings.roundNumber = 3;
    openAndStart();
    keyAt(20, '2');
    engine().EndRaceClick();
    runToRaceEnd();
    EXPECT_EQ(program.settings.raceNumber, 2);
    EXPECT_TRUE(engine().countdownRunning());
    EXPECT_EQ(engine().countdown(), 60);
    EXPECT_TRUE(engine().panel().preButtonsVisible);
    EXPECT_EQ(ports.texts("print"), (std::vector<std::string>{"race 1 lap times, 1 copy"}));
    EXPECT_EQ(ports.texts("html"), (std::vector<std::string>{"race 1"}));
    EXPECT_TRUE(ports.texts("upload").empty());
    const auto results = readWholeFile(program.paths->results);
    ASSERT_TRUE(results);
    EXPECT_EQ(results->size(), 2 * ResultRecordSize);
    ProgSettings saved;
    readEventSettings(program.paths->settings, saved);
    EXPECT_EQ(saved.raceNumber, 2);
    EXPECT_EQ(saved.roundNumber, 3);

    // The last race of the table hands over to the end of the round instead.
    runTo(now() + 61);
    ASSERT_EQ(engine().values().RaceState, RaceStates::Running);
    EXPECT_EQ(engine().values().RaceNumber, 2);
    engine().EndRaceClick();
    runToRaceEnd();
    EXPECT_EQ(program.settings.raceNumber, 2);
    EXPECT_EQ(ports.texts("endofround"), (std::vector<std::string>{"round 3"}));
    EXPECT_TRUE(engine().endOfRoundShown());
    EXPECT_FALSE(engine().countdownRunning());
    EXPECT_EQ(engine().values().RaceState, RaceStates::CountdownPaused);
    EXPECT_EQ(program.event.cptres[3].laps[3], 0);
}

TEST_F(RaceClock, TheRaceIsStoredBeforeAnyOutputWithItsUploadEntryWrittenAhead) {
    // What is on the disk when each output is called: a crash during an output must find the
    // race stored (results and next race number), and the upload entry must be written before.
    struct DiskAtEachOutput : RaceOutputs {
        const EventPaths& paths;
        std::vector<std::string> seen;
        explicit DiskAtEachOutput(const EventPaths& p) : paths(p) {}
        void note(const std::string& call) {
            const auto results = readWholeFile(paths.results);
            ProgSettings saved;
            readEventSettings(paths.settings, saved);
            seen.push_back(call + ": " + std::to_string(results ? results->size() : 0) +
                           " result bytes, race " + std::to_string(saved.raceNumber));
        }
        void printRaceLapTimes(const FinishedRace&, int) override { note("print"); }
        void writeRaceResultsPage(const FinishedRace&) override { note("html"); }
        void prepareUploadFile(const FinishedRace&) override { note("upload ahead"); }
        void writeUploadFile(const FinishedRace&) override { note("upload"); }
        void showEndOfRound(int) override { note("end of round"); }
    };
    vexa::test::TempDir dir;
    program.paths = EventPaths::in(dir.path());
    ASSERT_TRUE(writeEventSettings(program.paths->settings, program.settings));
    DiskAtEachOutput outputs(*program.paths);
    ports.device = CountingDevice::Ambrc; // the race goes into the upload file
    massHeats();
    race(1, {1, 2});
    race(2, {3});
    engineOn(RacePorts{clock, scheduler, ports, ports, ports, ports, outputs});
    openAndStart();
    engine().EndRaceClick();
    runToRaceEnd();
    const std::string stored = std::to_string(2 * ResultRecordSize) + " result bytes, race 2";
    EXPECT_EQ(outputs.seen,
              (std::vector<std::string>{"upload ahead: 0 result bytes, race 1", "print: " + stored,
                                        "html: " + stored, "upload: " + stored}));
}

TEST_F(RaceClock, AfterTheRaceImprovementsAndFinishOrderAreSpoken) {
    massHeats();
    program.settings.roundNumber = 2;
    race(1, {1, 2, 3});
    program.event.storeResult(1, 1, 3, 100.0);
    program.event.storeResult(2, 1, 2, 50.0);
    program.event.storeResult(3, 1, 3, 90.0); // the FTD of the class
    openAndStart();
    keyAt(20, '1');
    keyAt(25, '2');
    keyAt(40, '1');
    keyAt(50, '2');
    keyAt(60, '1');
    keyAt(70, '2');
    keyAt(80, '1');
    engine().EndRaceClick();
    const double end = now();
    runToRaceEnd();
    // Car 1: 4 laps beat the FTD of 3 laps; car 2: 3 laps beat his 2; car 3 did nothing.
    EXPECT_EQ(
        soundsBetween(end + 1, end + 2),
        (std::vector<std::string>{"car.wav", "one.wav", "ftdimprove.wav", "finishorder.wav",
                                  "one.wav", "two.wav", "carimprove.wav", "one.wav", "two.wav"}));
}

TEST_F(RaceClock, BookingInWithADecoderBeforeTheStart) {
    race(1, {1, 2});
    program.settings.countDevice = 2;
    program.settings.speedTrap = true;
    engine().openRaceScreen();
    runTo(31);
    EXPECT_TRUE(engine().values().BookingIn);
    EXPECT_TRUE(engine().acceptsPassings());
    EXPECT_TRUE(engine().panel().keysButtonEnabled);
    EXPECT_FALSE(engine().values().ManualKeys);
    EXPECT_FALSE(engine().raceClockRunning());
    engine().sortCarPass(1, 12345.0);
    EXPECT_EQ(ports.sounds().back(), "carpassftd.wav");
    EXPECT_EQ(engine().values().race_drivers[1].passmark, RaceDriver::PassCounted);
    runTo(61);
    EXPECT_FALSE(engine().values().BookingIn);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
    EXPECT_TRUE(engine().values().SpeedTrapActive);
    EXPECT_TRUE(engine().raceClockRunning());
    EXPECT_EQ(timed("equipment"),
              (std::vector<std::string>{"31.0 on booking", "61.0 off", "61.0 on race"}));
    // The second set-up at zero starts everyone afresh.
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[1].starttime, 0.0);
}

TEST_F(RaceClock, SystemTwentyIsSwitchedOffASecondBeforeTheStart) {
    massHeats();
    race(1, {1});
    program.settings.countDevice = 1;
    program.settings.autoKeys = true;
    engine().openRaceScreen();
    runTo(61);
    EXPECT_EQ(timed("equipment"),
              (std::vector<std::string>{"31.0 on booking", "60.0 off", "61.0 on race"}));
    EXPECT_TRUE(engine().values().ManualKeys);
}

TEST_F(RaceClock, StaggerStartCallsTheCarsOutInStartOrder) {
    race(1, {1, 2, 3});
    program.settings.firstRoundOrder = {0, 3, 1, 2};
    program.settings.staggerGap = 2000;
    engine().openRaceScreen();
    runTo(61);
    EXPECT_EQ(soundsBetween(31, 31),
              (std::vector<std::string>{"startord.wav", "three.wav", "one.wav", "two.wav"}));
    runTo(70);
    EXPECT_EQ(soundsBetween(61, 70), (std::vector<std::string>{"three.wav", "one.wav", "two.wav"}));
    EXPECT_EQ(soundsBetween(63, 63), (std::vector<std::string>{"three.wav"}));
    EXPECT_TRUE(hasEvent("lights", "3"));
    EXPECT_FALSE(hasEvent("lights", "10"));
    // Before the first lap the standings follow the start order.
    EXPECT_EQ(engine().standings().rows()[0].car, "3");
}
