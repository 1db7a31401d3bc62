#include "support/race_fixture.h"

using namespace vexa;
using vexa::test::RaceFixture;

namespace {

class RaceSetup : public RaceFixture {
  protected:
    std::vector<int> startCars() {
        std::vector<int> cars;
        for (const auto& d : engine().values().race_drivers)
            cars.push_back(engine().values().race_drivers[static_cast<size_t>(d.startorder)].carno);
        return cars;
    }
    void result(int id, int round, int laps, double time) {
        program.event.storeResult(id, round, laps, time);
    }
};

} // namespace

TEST_F(RaceSetup, EntrantsFollowTheFilledSlots) {
    race(1, {0, 7, 0, 0, 0, 9});
    program.event.cpts[7].transponder = 4012345;
    program.event.cpts[7].picture = "seven.jpg";
    result(7, 2, 12, 301.5);
    result(7, 3, 12, 299.0);
    ASSERT_TRUE(engine().Setuprace());
    const auto& d = engine().values().race_drivers;
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].carno, 2);
    EXPECT_EQ(d[0].compno, 7);
    EXPECT_EQ(d[0].drivername, "Driver 7");
    EXPECT_EQ(d[0].transponder, 4012345);
    EXPECT_NE(d[0].picturefile.find("seven.jpg"), std::string::npos);
    EXPECT_EQ(d[0].bestlapcount, 12);
    EXPECT_DOUBLE_EQ(d[0].besttime, 299.0);
    EXPECT_EQ(d[1].carno, 6);
    EXPECT_EQ(d[1].bestlapcount, 0);
    EXPECT_TRUE(d[1].picturefile.empty());
    EXPECT_EQ(engine().panel().heatnumLB, "Buggy Heat# 1");
    EXPECT_EQ(engine().panel().appTitle, "Vexa H:1 R:1");
    EXPECT_EQ(engine().panel().racedur, "5 Min Race");
    EXPECT_EQ(engine().panel().rtype, "Stagger Start");
}

TEST_F(RaceSetup, FinalLengthsFollowTheLetter) {
    ClassSetup& c = program.settings.classes[1];
    c.aMinutes = 8;
    c.bMinutes = 6;
    c.otherMinutes = 4;
    program.settings.racingHeats = false;
    program.settings.maxRaceLaps = 0;
    const std::vector<std::pair<std::string, int>> cases = {
        {"1/A", 8}, {"1/B", 6}, {"1/C", 4}, {"", 4}};
    for (const auto& [info, minutes] : cases) {
        program.event.finals.setInfo(3, info);
        race(3, {5, 6}, true);
        program.settings.raceNumber = 3;
        ASSERT_TRUE(engine().Setuprace());
        EXPECT_EQ(engine().values().RaceMinutes, minutes) << info;
        EXPECT_EQ(engine().values().RaceKind, FinalRace);
        EXPECT_EQ(engine().values().StartType, MassStart);
        EXPECT_EQ(engine().values().MaxLapCount, 0);
        EXPECT_EQ(engine().values().race_drivers[0].endtime, minutes * 60.0) << info;
    }
    EXPECT_EQ(engine().panel().heatnumLB, "Buggy  Final# 3");
    EXPECT_EQ(engine().panel().appTitle, "Vexa F:3 R:1");
}

TEST_F(RaceSetup, EveryEntrantGetsThisRacesLengthEvenAfterARaceOfAnotherClass) {
    program.settings.heatMass = true;
    program.settings.classes[2].qualMinutes = 3;
    race(1, {1, 2});
    race(2, {3, 4});
    competitor(3, 2);
    competitor(4, 2);
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(engine().values().race_drivers[1].endtime, 300.0);
    program.settings.raceNumber = 2;
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(engine().values().RaceMinutes, 3);
    for (const auto& d : engine().values().race_drivers) EXPECT_EQ(d.endtime, 180.0);
}

TEST_F(RaceSetup, RoundBestAndFastestTimeOfTheDayOfTheClass) {
    program.settings.roundNumber = 2;
    race(1, {1, 2});
    competitor(3, 1);
    competitor(4, 2); // another class never counts
    result(1, 2, 10, 305.0);
    result(3, 2, 10, 301.0);
    result(3, 1, 11, 310.0);
    result(4, 1, 14, 300.0);
    result(2, 1, 11, 310.0); // equal to Id 3's: the earlier stays
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(engine().values().RoundBestLapCount, 10);
    EXPECT_DOUBLE_EQ(engine().values().RoundBestTime, 301.0);
    EXPECT_EQ(engine().values().FtdLapCount, 11);
    EXPECT_DOUBLE_EQ(engine().values().FtdTime, 310.0);
}

TEST_F(RaceSetup, StaggerOrderByLastRoundPutsEntrantsWithoutResultLast) {
    program.settings.roundNumber = 2;
    program.settings.staggerOrderLast = true;
    race(1, {1, 2, 3, 4, 5});
    result(2, 1, 10, 300.0);
    result(4, 1, 12, 305.0); // the winner of round 1
    result(5, 1, 10, 300.0); // ties with Id 2: table order
    result(1, 3, 20, 300.0); // only the last round counts
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(startCars(), (std::vector<int>{4, 2, 5, 1, 3}));
}

TEST_F(RaceSetup, StaggerOrderByBestOfTheDay) {
    program.settings.roundNumber = 3;
    race(1, {1, 2, 3});
    result(1, 1, 9, 300.0);
    result(2, 1, 11, 300.0);
    result(3, 2, 11, 299.0);
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(startCars(), (std::vector<int>{3, 2, 1}));
}

TEST_F(RaceSetup, FirstRoundOrderFromTheGridWithUnnamedCarsAfterIt) {
    race(1, {1, 2, 3, 4, 5, 6});
    auto& order = program.settings.firstRoundOrder;
    order.fill(0);
    order[1] = 5;
    order[2] = 9; // no such car: skipped
    order[3] = 2;
    order[5] = 6;
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(startCars(), (std::vector<int>{5, 2, 6, 1, 3, 4}));
}

TEST_F(RaceSetup, StartOrderOnlyWhenItsReadingMatchesAStaggerStart) {
    race(1, {1, 2, 3});
    program.settings.firstRoundOrder[1] = 3;
    program.settings.firstRoundOrder[3] = 1;
    // Mass start with the class's read-start-order flag off: still computed.
    massHeats();
    program.settings.classes[1].readStartOrder = false;
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(startCars(), (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(engine().panel().readOrderEnabled);
    // Mass start with the flag on: each entrant keeps its own place.
    program.settings.classes[1].readStartOrder = true;
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(startCars(), (std::vector<int>{1, 2, 3}));
}

TEST_F(RaceSetup, MarshalsAreThePreviousRaceOrTheLastRaceForTheFirst) {
    race(1, {1, 2});
    race(2, {3, 0, 4});
    race(3, {5});
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(engine().panel().marshalLB, (std::vector<std::string>{"1 - Driver 5"}));
    program.settings.raceNumber = 3;
    ASSERT_TRUE(engine().Setuprace());
    EXPECT_EQ(engine().panel().marshalLB,
              (std::vector<std::string>{"1 - Driver 3", "3 - Driver 4"}));
}

TEST_F(RaceSetup, EmptyRaceStopsTheCountdownAndTellsTheOperator) {
    race(1, {1});
    engine().openRaceScreen();
    runTo(5);
    program.settings.raceNumber = 2;
    EXPECT_FALSE(engine().Setuprace());
    EXPECT_FALSE(engine().values().SetupDone);
    EXPECT_EQ(engine().values().RaceClass, 0);
    EXPECT_TRUE(engine().values().race_drivers.empty());
    EXPECT_EQ(ports.texts("message"), (std::vector<std::string>{NoDriversMessage}));
    EXPECT_FALSE(engine().countdownRunning());
    EXPECT_EQ(engine().values().RaceState, RaceStates::CountdownPaused);
    EXPECT_EQ(engine().countdown(), 60);
}

TEST_F(RaceSetup, NonNumericCellMakesAnUnknownCar) {
    program.event.heats.setSlotText(1, 4, "x");
    race(1, {2});
    ASSERT_TRUE(engine().Setuprace());
    ASSERT_EQ(engine().values().race_drivers.size(), 2u);
    EXPECT_EQ(engine().values().race_drivers[1].drivername, "Unknown Car 4");
    EXPECT_EQ(engine().values().race_drivers[1].compno, 0);
}
