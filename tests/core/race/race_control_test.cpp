#include "support/race_fixture.h"

using namespace vexa;
using vexa::test::RaceFixture;

namespace {
class RaceControl : public RaceFixture {};
} // namespace

TEST_F(RaceControl, PlusOneAndPlusFiveStopBelowAnHour) {
    race(1, {1});
    engine().openRaceScreen();
    const std::vector<std::tuple<int, bool, int>> cases = {
        {3598, false, 3658}, {3599, false, 3599}, {3299, true, 3599}, {3300, true, 3300}};
    for (const auto& [before, five, after] : cases) {
        program.settings.raceInterval = std::to_string(before);
        engine().StartBetweenRTimer();
        ASSERT_EQ(engine().countdown(), before);
        if (five)
            engine().PlusFiveMinutesClick();
        else
            engine().PlusOneMinuteClick();
        EXPECT_EQ(engine().countdown(), after) << before;
    }
}

TEST_F(RaceControl, PauseBlinksAndResumingNearTheEndRestartsAtEleven) {
    race(1, {1});
    engine().openRaceScreen();
    runTo(55.2); // 6 seconds left
    engine().StopStartCountdownClick();
    EXPECT_EQ(engine().values().RaceState, RaceStates::CountdownPaused);
    EXPECT_EQ(engine().panel().pauseCaption(), "Start &Countdown");
    EXPECT_EQ(engine().panel().TimeLB, "Countdown Paused  | |");
    EXPECT_FALSE(engine().countdownRunning());
    runTo(56.0);
    EXPECT_FALSE(engine().panel().clockLabelVisible);
    runTo(56.8);
    EXPECT_TRUE(engine().panel().clockLabelVisible);
    runTo(200);
    EXPECT_EQ(engine().countdown(), 5);
    engine().StopStartCountdownClick();
    EXPECT_EQ(engine().countdown(), 11);
    EXPECT_EQ(engine().panel().pauseCaption(), "Stop &Countdown");
    EXPECT_TRUE(engine().panel().clockLabelVisible);
    runTo(200 + 12);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
}

TEST_F(RaceControl, ResetCountdownKeepsItRunningOrPaused) {
    race(1, {1});
    engine().openRaceScreen();
    runTo(40.5); // set up at 31
    EXPECT_TRUE(engine().values().SetupDone);
    engine().ResetCountdownClick();
    EXPECT_FALSE(engine().values().SetupDone);
    EXPECT_FALSE(engine().panel().readOrderEnabled);
    EXPECT_EQ(engine().countdown(), 60);
    EXPECT_EQ(engine().panel().TimeLB, "PRE RACE COUNTDOWN: 00:01:00");
    EXPECT_TRUE(engine().countdownRunning());
}

TEST_F(RaceControl, StartRaceNowStartsAtOnceOrAfterTheBeeps) {
    massHeats();
    race(1, {1});
    engine().openRaceScreen();
    runTo(5);
    engine().StartBtnClick();
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
    EXPECT_EQ(engine().values().ClockSeconds, 0);
    EXPECT_EQ(engine().countdown(), 60);
    EXPECT_FALSE(engine().countdownRunning());
    EXPECT_TRUE(engine().raceClockRunning());
}

TEST_F(RaceControl, StartRaceNowWithCountdownBeepsGivesThemFirst) {
    massHeats();
    race(1, {1});
    program.settings.classes[1].tenSecCountdown = true;
    program.settings.countBeeps = 4;
    engine().openRaceScreen();
    runTo(5.5);
    ports.clear();
    engine().StartBtnClick();
    EXPECT_EQ(engine().countdown(), 5);
    EXPECT_EQ(ports.texts("lights").back(), "2");
    runTo(10.5);
    EXPECT_EQ(ports.sounds(), (std::vector<std::string>{"cntdown.wav", "cntdown.wav", "cntdown.wav",
                                                        "cntdown.wav"}));
    runTo(14);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
}

TEST_F(RaceControl, StartRaceWithNoDriversDoesNothing) {
    race(2, {1});
    engine().openRaceScreen();
    runTo(5);
    engine().StartBtnClick();
    EXPECT_EQ(ports.texts("message"), (std::vector<std::string>{NoDriversMessage}));
    EXPECT_EQ(engine().values().RaceState, RaceStates::CountdownPaused);
}

TEST_F(RaceControl, RaceMenuOnlyWhileRunningAndConfirmationsCanBeCancelled) {
    massHeats();
    race(1, {1});
    EXPECT_FALSE(engine().raceMenuEnabled());
    openAndStart();
    EXPECT_TRUE(engine().raceMenuEnabled());
    keyAt(20, '1');
    ports.confirmAnswer = false;
    engine().RestartRaceClick();
    engine().EndRaceClick();
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
    EXPECT_EQ(ports.texts("confirm"),
              (std::vector<std::string>{"Restart the Race -> Cancel",
                                        "End the Race (Saving Scores) -> Cancel"}));
}

TEST_F(RaceControl, RestartRunsTheSameRaceAgainWithoutStoringAnything) {
    massHeats();
    race(1, {1});
    openAndStart();
    keyAt(20, '1');
    engine().RestartRaceClick();
    EXPECT_EQ(engine().values().RaceState, RaceStates::BetweenRaces);
    EXPECT_FALSE(engine().raceClockRunning());
    EXPECT_FALSE(engine().values().ManualKeys);
    EXPECT_TRUE(engine().panel().preButtonsVisible);
    EXPECT_TRUE(engine().countdownRunning());
    EXPECT_EQ(engine().countdown(), 60);
    EXPECT_EQ(program.event.cptres[1].laps[1], -1);
    runTo(now() + 62);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
    EXPECT_EQ(engine().values().RaceNumber, 1);
    EXPECT_EQ(engine().values().race_drivers[0].lapcount, 0);
    EXPECT_EQ(program.event.cptres[1].laps[1], -1);
}

TEST_F(RaceControl, EndRaceSavesTheScoresSoFar) {
    massHeats();
    race(1, {1});
    openAndStart();
    keyAt(20, '1');
    keyAt(41, '1');
    engine().EndRaceClick();
    EXPECT_EQ(engine().values().RaceState, RaceStates::BetweenRaces);
    runTo(now() + 2);
    EXPECT_EQ(program.event.cptres[1].laps[1], 2);
    EXPECT_DOUBLE_EQ(program.event.cptres[1].time[1], 41.0);
}

TEST_F(RaceControl, TimePenaltyMessages) {
    massHeats();
    race(1, {1, 2});
    openAndStart();
    runTo(raceStart() + 100);
    // Not in the race (999 included): the dialog stays open for another number.
    EXPECT_FALSE(engine().givePenalty(999));
    EXPECT_FALSE(engine().givePenalty(3));
    EXPECT_FALSE(engine().givePenalty(0));
    // A car that has not crossed yet in a mass start: accepted.
    EXPECT_TRUE(engine().givePenalty(2));
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[1].endtime, 290.0);
    EXPECT_TRUE(engine().givePenalty(2));
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[1].endtime, 280.0);
    EXPECT_EQ(ports.texts("message"),
              (std::vector<std::string>{NoCarWithNumberMessage, NoCarWithNumberMessage,
                                        NoCarWithNumberMessage}));
}

TEST_F(RaceControl, TimePenaltyCloseToTheEndIsRefused) {
    massHeats();
    race(1, {1});
    openAndStart();
    runTo(raceStart() + 287);
    ASSERT_EQ(engine().values().ClockSeconds, 287);
    EXPECT_TRUE(engine().givePenalty(1));
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[0].endtime, 290.0);
    EXPECT_TRUE(engine().givePenalty(1)); // now 287 is too close to 290
    EXPECT_EQ(ports.texts("message"), (std::vector<std::string>{PenaltyTooLateMessage}));
    // The car finishes at its first counted crossing from 290 s on.
    keyAt(289.9, '1');
    EXPECT_FALSE(engine().values().race_drivers[0].finished());
    keyAt(297, '1');
    EXPECT_TRUE(engine().values().race_drivers[0].finished());
}

TEST_F(RaceControl, StaggerPenaltyNeedsAStartedCar) {
    race(1, {1, 2});
    openAndStart();
    keyAt(5, '1');
    EXPECT_TRUE(engine().givePenalty(2));
    EXPECT_EQ(ports.texts("message"), (std::vector<std::string>{CarNotStartedMessage}));
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[1].endtime, 0.0);
    EXPECT_TRUE(engine().givePenalty(1));
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[0].endtime, 295.0);
}

TEST_F(RaceControl, ReadOrderAndReprint) {
    race(1, {1, 2});
    program.settings.firstRoundOrder = {0, 2, 1};
    engine().Setuprace();
    engine().ReadOrderClick();
    EXPECT_EQ(ports.sounds(), (std::vector<std::string>{"startord.wav", "two.wav", "one.wav"}));
    engine().ReprintLapTimesClick();
    EXPECT_EQ(ports.texts("print").size(), 1u);
}

TEST_F(RaceControl, TheNextRaceShowsAsSoonAsTheRoundOrTableChanges) {
    massHeats();
    raceMinutes(1);
    program.settings.classes[1].aMinutes = 7;
    race(1, {1, 2});
    race(1, {3}, true);
    program.event.finals.setInfo(1, "1/A");
    engine().openRaceScreen();
    // The race panel names the race that comes next from the start.
    const RacePanel& panel = engine().panel();
    EXPECT_EQ(panel.heatnumLB, "Buggy Heat# 1");
    EXPECT_EQ(panel.roundLB, "Round 1");
    EXPECT_EQ(panel.rtype, "Mass Start");
    EXPECT_EQ(panel.racedur, "1 Min Race");
    EXPECT_TRUE(engine().standings().rows().empty());

    openAndStart();
    keyAt(20, '1');
    // Nothing changes the running race's panel.
    program.settings.roundNumber = 2;
    engine().showNextRace();
    EXPECT_EQ(panel.roundLB, "Round 1");
    runToRaceEnd();
    ASSERT_EQ(engine().standings().rows().size(), 2u);

    // "Next Round": the same heat in round 2, its standings empty until it is set up.
    engine().showNextRace();
    EXPECT_EQ(panel.heatnumLB, "Buggy Heat# 1");
    EXPECT_EQ(panel.roundLB, "Round 2");
    EXPECT_TRUE(engine().standings().rows().empty());
    EXPECT_TRUE(panel.marshalLB.empty());
    EXPECT_EQ(panel.timebar, 0);

    // "Enter Finals": the A final of round 3, a mass start of 7 minutes.
    program.settings.racingHeats = false;
    program.settings.heatMass = false;
    program.settings.roundNumber = 3;
    engine().showNextRace();
    EXPECT_EQ(panel.heatnumLB, "Buggy A Final# 1");
    EXPECT_EQ(panel.roundLB, "Round 3");
    EXPECT_EQ(panel.rtype, "Mass Start");
    EXPECT_EQ(panel.racedur, "7 Min Race");

    // A race without drivers has no title and no length.
    program.settings.raceNumber = 2;
    engine().showNextRace();
    EXPECT_EQ(panel.heatnumLB, "");
    EXPECT_EQ(panel.racedur, "");
    EXPECT_EQ(panel.roundLB, "Round 3");
}

TEST_F(RaceControl, TheStartDelayShowsAsAShortTextAndTheBeepsTheirSecondsAtOnce) {
    massHeats();
    race(1, {1});
    program.settings.classes[1].tenSecCountdown = true;
    engine().openRaceScreen();
    runTo(5.5);
    engine().StartBtnClick();
    // The seconds to go show at once.
    EXPECT_EQ(engine().panel().TimeLB, "PRE RACE COUNTDOWN: 00:00:11");
    EXPECT_TRUE(engine().raceUnderWay());
    runTo(17.2); // the countdown's zero came at 17 s
    EXPECT_NE(engine().values().RaceState, RaceStates::Running);
    // The random delay: never its number of milliseconds, the same text whatever it is.
    EXPECT_EQ(engine().panel().TimeLB, "Start within 3 s");
    EXPECT_EQ(engine().panel().specTimeLB, "Start within 3 s");
    EXPECT_TRUE(engine().raceUnderWay());
    runTo(20.1);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
}

TEST_F(RaceControl, TheRaceIsUnderWayFromItsCountdownToItsStoredResults) {
    massHeats();
    raceMinutes(1);
    race(1, {1});
    race(2, {2});
    EXPECT_FALSE(engine().raceUnderWay()); // the race screen was never opened
    engine().openRaceScreen();
    EXPECT_TRUE(engine().raceUnderWay()); // the countdown runs
    engine().StopStartCountdownClick();
    EXPECT_FALSE(engine().raceUnderWay()); // paused
    engine().StopStartCountdownClick();
    openAndStart();
    EXPECT_TRUE(engine().raceUnderWay());
    keyAt(20, '1');
    engine().End_race();
    EXPECT_TRUE(engine().raceUnderWay()); // two seconds to the stored results
    runToRaceEnd();
    EXPECT_TRUE(engine().raceUnderWay()); // the countdown to the next heat
    openAndStart();
    keyAt(10, '1');
    runToRaceEnd(); // the last heat of the round: the countdown stops
    EXPECT_TRUE(engine().endOfRoundShown());
    EXPECT_FALSE(engine().raceUnderWay());
}
