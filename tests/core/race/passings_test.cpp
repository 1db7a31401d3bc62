#include "support/race_fixture.h"

#include <random>

using namespace vexa;
using vexa::test::RaceFixture;

namespace {

class Passings : public RaceFixture {
  protected:
    const RaceDriver& car(int carno) {
        const int i = engine().findCarNumber(carno);
        EXPECT_GE(i, 0) << "car " << carno;
        return engine().values().race_drivers[static_cast<size_t>(i)];
    }
    // A mass-start heat of the given car count, started.
    void massRace(int cars) {
        massHeats();
        std::vector<int> ids;
        for (int id = 1; id <= cars; ++id) competitor(id);
        RacingTable& t = program.event.heats;
        for (int id = 1; id <= cars; ++id) t.setSlotText(1, id, std::to_string(id));
        openAndStart();
    }
    std::vector<int> runningCars() {
        std::vector<int> cars;
        for (const auto& p : engine().values().race_drivers)
            cars.push_back(engine().values().race_drivers[static_cast<size_t>(p.runorder)].carno);
        return cars;
    }
};

// The running order by a selection scan over the entrants: the best result not yet placed,
// the first in index order among equals.
std::vector<int> selectionOrder(const RaceDrivers& drivers) {
    std::vector<int> expected;
    std::vector<bool> placed(drivers.size(), false);
    for (size_t p = 0; p < drivers.size(); ++p) {
        int best = -1;
        for (size_t e = 0; e < drivers.size(); ++e) {
            const RaceDriver& d = drivers[e];
            if (placed[e]) continue;
            if (best < 0 ||
                betterResult(d.lapcount, d.lastpass, drivers[static_cast<size_t>(best)].lapcount,
                             drivers[static_cast<size_t>(best)].lastpass))
                best = static_cast<int>(e);
        }
        placed[static_cast<size_t>(best)] = true;
        expected.push_back(best);
    }
    return expected;
}

std::vector<int> runningOrder(const RaceDrivers& drivers) {
    std::vector<int> order;
    for (const auto& position : drivers) order.push_back(position.runorder);
    return order;
}

} // namespace

TEST_F(Passings, MassStartFirstCrossingStartsTheCarWhenTheFirstLapIsNotCounted) {
    program.settings.countFirst = false;
    massRace(2);
    keyAt(3, '1');
    keyAt(25, '1');
    keyAt(46, '1');
    const RaceDriver& d = car(1);
    EXPECT_DOUBLE_EQ(d.starttime, 3.0);
    EXPECT_EQ(d.lapcount, 2);
    EXPECT_DOUBLE_EQ(d.laptimes[1], 25.0);
    EXPECT_DOUBLE_EQ(d.laptimes[2], 21.0);
    EXPECT_DOUBLE_EQ(d.fastestlap, 21.0);
    EXPECT_DOUBLE_EQ(d.lastpass, 46.0);
}

TEST_F(Passings, ACrossingWithinTheMinimumLapIsNotCounted) {
    massRace(1);
    keyAt(10, '1');
    keyAt(17, '1'); // exactly 7 s later
    EXPECT_EQ(car(1).lapcount, 1);
    EXPECT_EQ(car(1).passmark, RaceDriver::PassNotCounted);
    keyAt(17.01, '1');
    EXPECT_EQ(car(1).lapcount, 2);
    EXPECT_EQ(car(1).passmark, RaceDriver::PassCounted);
    EXPECT_NEAR(car(1).lastlap, 7.01, 1e-9);
}

TEST_F(Passings, RunningOrderByLapsThenByWhoCrossedFirstThenTableOrder) {
    massRace(4);
    keyAt(20, '3');
    keyAt(21, '2');
    keyAt(22, '4');
    keyAt(22, '1'); // the same moment as car 4: table order puts car 1 first
    keyAt(40, '2'); // car 2 now a lap up
    EXPECT_EQ(runningCars(), (std::vector<int>{2, 3, 1, 4}));
    const RaceDriver& second = car(3);
    EXPECT_DOUBLE_EQ(second.leadergap, -1.0);
    EXPECT_DOUBLE_EQ(car(2).leadergap, 2.0); // the leader holds its own lap count
}

TEST_F(Passings, RunningOrderOfALargeFieldFullOfTiesIsTheSelectionScans) {
    // Many entrants on few lap counts and few crossing moments: most comparisons are ties, which
    // must end in ascending index as the selection scan over the entrants leaves them.
    massRace(2);
    RaceEngine& race = engine();
    for (int n = 3; n <= 300; ++n) race.AddDriver(n, 0, 5000000 + n);
    const RaceDrivers& drivers = race.values().race_drivers;
    std::mt19937 random(7);
    std::vector<int> laps, moment;
    for (size_t e = 0; e < drivers.size(); ++e) {
        laps.push_back(static_cast<int>(random() % 4));
        moment.push_back(static_cast<int>(random() % 3));
    }
    for (int lap = 1; lap <= 3; ++lap)
        for (int m = 0; m < 3; ++m) {
            runTo(raceClockOrigin() + 20.0 * lap + m);
            for (size_t e = 0; e < drivers.size(); ++e)
                if (laps[e] >= lap && moment[e] == m)
                    race.sortCarPass(static_cast<int>(e), race.RaceTime());
        }

    const std::vector<int> expected = selectionOrder(drivers);
    EXPECT_EQ(runningOrder(drivers), expected);
    EXPECT_EQ(drivers[static_cast<size_t>(expected.back())].lapcount, 0);
    EXPECT_EQ(drivers[static_cast<size_t>(expected.front())].lapcount, 3);
}

TEST_F(Passings, RunningOrderAfterEveryPassingIsTheSelectionScans) {
    // The order is taken up from the last one at each passing: overtakes, cars that gain many
    // places at once, cars added in the middle of the race, and ties on the same moment.
    massRace(20);
    RaceEngine& race = engine();
    const RaceDrivers& drivers = race.values().race_drivers;
    std::mt19937 random(11);
    for (int step = 1; step <= 600; ++step) {
        if (step % 150 == 0) race.AddDriver(20 + step / 150, 0, 7000000 + step);
        runTo(raceClockOrigin() + 10.0 + step * 0.3);
        for (int same = 0; same <= static_cast<int>(random() % 2); ++same) // two at one moment
            race.sortCarPass(static_cast<int>(random() % drivers.size()), race.RaceTime());
        ASSERT_EQ(runningOrder(drivers), selectionOrder(drivers)) << "step " << step;
    }
    EXPECT_GT(drivers[static_cast<size_t>(drivers[0].runorder)].lapcount, 10);
}

TEST_F(Passings, StaggerLeaderStartStartsEveryCarThatHasNotCrossed) {
    program.settings.startFromLeader = true;
    race(1, {1, 2, 3});
    openAndStart();
    keyAt(2, '1');
    keyAt(4, '2');
    EXPECT_DOUBLE_EQ(car(1).starttime, 2.0);
    EXPECT_DOUBLE_EQ(car(3).starttime, 0.0);
    keyAt(20, '1'); // car 1's first lap
    EXPECT_EQ(car(1).lapcount, 1);
    EXPECT_DOUBLE_EQ(car(1).lastpass, 18.0);
    EXPECT_DOUBLE_EQ(car(3).starttime, 20.0);
    EXPECT_DOUBLE_EQ(car(3).endtime, 320.0);
    EXPECT_DOUBLE_EQ(car(2).starttime, 4.0); // already started
    keyAt(35, '3');
    EXPECT_EQ(car(3).lapcount, 1);
    EXPECT_DOUBLE_EQ(car(3).lastpass, 15.0);
}

TEST_F(Passings, StaggerWithoutLeaderStartWaitsForEachCarsOwnCrossing) {
    race(1, {1, 2});
    program.settings.classes[1].readStartOrder = false;
    openAndStart();
    ports.clear();
    keyAt(5, '2');
    EXPECT_EQ(ports.sounds(), (std::vector<std::string>{"two.wav", "started.wav"}));
    keyAt(20, '1');
    keyAt(30, '1');
    EXPECT_DOUBLE_EQ(car(2).starttime, 5.0);
    EXPECT_DOUBLE_EQ(car(1).starttime, 20.0);
    EXPECT_EQ(car(1).lapcount, 1);
    EXPECT_DOUBLE_EQ(car(1).fastestlap, 10.0); // a stagger start's first lap can be fastest
}

TEST_F(Passings, LapLimitFinishesEveryCarOnceTheLeaderHasIt) {
    program.settings.maxRaceLaps = 10;
    massRace(2);
    for (int lap = 1; lap <= 10; ++lap) keyAt(lap * 10.0, '1');
    EXPECT_TRUE(car(1).finished());
    keyAt(105, '2');
    EXPECT_TRUE(car(2).finished());
    EXPECT_EQ(car(2).lapcount, 1);
    EXPECT_EQ(engine().values().FinishedCount, 2);
    keyAt(115, '1'); // after the finish: no lap
    EXPECT_EQ(car(1).lapcount, 10);
}

TEST_F(Passings, RaceTimeFinishesACarAtItsFirstCrossingFromItsEndTime) {
    massRace(1);
    for (int lap = 1; lap <= 15; ++lap) keyAt(lap * 19.5, '1');
    EXPECT_FALSE(car(1).finished());
    ports.clear();
    keyAt(300.0, '1');
    EXPECT_TRUE(car(1).finished());
    EXPECT_EQ(car(1).lapcount, 16);
    // Time up is called at the clock's second 300, then the finish and the pass beep (with no
    // fastest time of the day yet, the leader always beats it).
    EXPECT_EQ(ports.sounds(), (std::vector<std::string>{"lfinish.wav", "one.wav", "finished.wav",
                                                        "carpassftd.wav"}));
}

TEST_F(Passings, KeysMapToCarsOnlyWhileEnabled) {
    massRace(20);
    keyAt(10, '0');
    keyAt(11, 'P');
    keyAt(12, 'q');
    EXPECT_EQ(car(10).lapcount, 1);
    EXPECT_EQ(car(20).lapcount, 1);
    EXPECT_EQ(car(11).lapcount, 1);
    EXPECT_FALSE(engine().manualKey('Z'));
    engine().KeyEnableClick();
    EXPECT_EQ(engine().panel().keysCaption, "Enable Keys");
    keyAt(30, '0');
    EXPECT_EQ(car(10).lapcount, 1);
}

TEST_F(Passings, AnUnknownCarNumberAddsACarUntilTheRaceTimeIsOver) {
    massRace(2);
    keyAt(10, '7');
    ASSERT_EQ(engine().values().race_drivers.size(), 3u);
    EXPECT_EQ(car(7).drivername, "Unknown Car 7");
    EXPECT_EQ(car(7).lapcount, 1);
    EXPECT_DOUBLE_EQ(car(7).endtime, 300.0);
    keyAt(300.2, '8');
    EXPECT_EQ(engine().values().race_drivers.size(), 3u);
}

TEST_F(Passings, AnUnknownTransponderWhenTwentyCarsAreInBecomesCar21) {
    massRace(20);
    // As the decoder layer does: the smallest free car number, then the passing.
    runTo(raceClockOrigin() + 12);
    const int n = engine().freeCarNumber();
    EXPECT_EQ(n, 21);
    ASSERT_TRUE(engine().canAddUnknownCar());
    const int i = engine().AddDriver(n, 0, 4012345);
    engine().sortCarPass(i, engine().RaceTime());
    EXPECT_EQ(engine().values().race_drivers[static_cast<size_t>(i)].drivername, "Unknown 4012345");
    EXPECT_EQ(engine().findTransponder(4012345), i);
    EXPECT_EQ(engine().values().race_drivers[static_cast<size_t>(i)].lapcount, 1);
    ASSERT_EQ(engine().standings().rows().size(), 21u);
    EXPECT_EQ(engine().standings().rows()[0].car, "21");
    // Car numbers above 20 keep counting.
    keyAt(30, '1');
    engine().sortCarPass(i, engine().RaceTime());
    EXPECT_EQ(engine().values().race_drivers[static_cast<size_t>(i)].lapcount, 2);
}

TEST_F(Passings, MoreThan200LapsAreCountedWithoutStoringTheirTimes) {
    program.settings.minLap = "0";
    raceMinutes(5);
    massRace(1);
    for (int lap = 1; lap <= 250; ++lap) keyAt(lap * 1.125, '1');
    const RaceDriver& d = car(1);
    EXPECT_EQ(d.lapcount, 250);
    EXPECT_DOUBLE_EQ(d.laptimes[200], 1.125);
    EXPECT_DOUBLE_EQ(d.lastpass, 281.25);
    EXPECT_EQ(d.predlapcount, 267);
}

TEST_F(Passings, ADecoderTimeMoreThanSixSecondsOffUsesTheRaceClock) {
    massRace(2);
    runTo(raceClockOrigin() + 20);
    engine().sortCarPass(0, 26.0); // exactly 6 s ahead: used
    EXPECT_DOUBLE_EQ(car(1).lastpass, 26.0);
    EXPECT_TRUE(ports.texts("note").empty());
    engine().sortCarPass(1, 13.99);
    EXPECT_DOUBLE_EQ(car(2).lastpass, 20.0);
    EXPECT_EQ(ports.texts("note"), (std::vector<std::string>{ComputerTimeNote}));
    engine().sortCarPass(5, 20.0); // no such entrant: nothing happens
    engine().sortCarPass(-1, 20.0);
}

TEST_F(Passings, ARecordedCrossingKeepsItsTimeHoweverLateItComes) {
    massRace(2);
    runTo(raceClockOrigin() + 80);
    engine().sortRecordedPass(0, 20.0); // sent again a minute after it happened
    engine().sortRecordedPass(0, 41.5);
    EXPECT_EQ(car(1).lapcount, 2);
    EXPECT_DOUBLE_EQ(car(1).laptimes[2], 21.5);
    engine().sortRecordedPass(1, 86.0); // exactly 6 s ahead: used
    EXPECT_DOUBLE_EQ(car(2).lastpass, 86.0);
    EXPECT_TRUE(ports.texts("note").empty());
    // A time ahead of the race clock cannot have been recorded yet.
    runTo(raceClockOrigin() + 110);
    engine().sortRecordedPass(1, 116.01);
    EXPECT_DOUBLE_EQ(car(2).lastpass, 110.0);
    EXPECT_EQ(ports.texts("note"), (std::vector<std::string>{ComputerTimeNote}));
    engine().sortRecordedPass(7, 100.0); // no such entrant: nothing happens
}

TEST_F(Passings, SpeedTrapTimeIsTheCrossingAfterACountedLap) {
    // An AMBrc decoder with the speed trap on; the keys count too.
    program.settings.countDevice = 2;
    program.settings.speedTrap = true;
    program.settings.autoKeys = true;
    massRace(1);
    ASSERT_TRUE(engine().values().SpeedTrapActive);
    keyAt(20, '1'); // lap 1: no trap time before it
    EXPECT_EQ(ports.texts("note"),
              (std::vector<std::string>{"Car#0did not register a speed trap time"}));
    keyAt(21.5, '1');
    EXPECT_DOUBLE_EQ(car(1).traptime, 1.5);
    EXPECT_DOUBLE_EQ(car(1).traptimes[1], 1.5);
    keyAt(22, '1'); // a second extra crossing does not replace it
    EXPECT_DOUBLE_EQ(car(1).traptime, 1.5);
    keyAt(40, '1');
    EXPECT_EQ(ports.texts("note").size(), 1u);
    EXPECT_EQ(car(1).lapcount, 2);
}

TEST_F(Passings, PassBeepTellsHowTheRaceGoes) {
    program.settings.roundNumber = 2;
    // Round 1: car 2's driver did 14 laps in 300 s, car 3's 16 in 290 s (the FTD).
    program.event.storeResult(2, 1, 14, 300.0);
    program.event.storeResult(3, 1, 16, 290.0);
    massRace(3);
    ports.clear();
    keyAt(18, '1');   // leader, predicts 17 laps: beats the FTD
    keyAt(19, '2');   // not leader, predicts 16: beats his own best only
    keyAt(19.5, '3'); // predicts 16 laps in 312 s: does not beat his own 16 in 290
    EXPECT_EQ(ports.sounds(),
              (std::vector<std::string>{"carpassftd.wav", "carpass.wav", "carpassno.wav"}));
}

TEST_F(Passings, CrossingsBetweenRacesAreNotCounted) {
    race(1, {1});
    engine().Setuprace();
    engine().sortCarPass(0, 0.0);
    EXPECT_EQ(engine().values().race_drivers[0].lapcount, 0);
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[0].starttime, 0.0);
}
