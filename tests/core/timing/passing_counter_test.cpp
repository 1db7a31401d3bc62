#include "timing_fixture.h"

#include "timing/passing_counter.h"

#include <random>

using namespace vexa;
using vexa::test::TimingFixture;

namespace {

// A mass-start heat of five minutes with cars 1..3 counted by an AMBrc decoder of identity 7.
class Counting : public TimingFixture {
  protected:
    Counting() {
        program.settings.countDevice = 2;
        program.settings.lowestHits = 3;
        massHeats();
        raceMinutes(5);
        race(1, {1, 2, 3});
        program.event.cpts[1].transponder = 4012345;
    }
    void start() {
        attach();
        equipment().setDecoderId(7);
        openAndStart();
    }
    // Feeds one record as the serial line delivers it, at race-clock second t.
    void at(double t, const std::string& record) {
        runTo(raceClockOrigin() + t);
        equipment().CommPortDriverReceiveData(record + "\r\n");
    }
    const RaceDriver& entrant(size_t i) { return engine().values().race_drivers.at(i); }
    std::vector<std::string> notes() const { return ports.texts("note"); }
};

TEST_F(Counting, AmbrcPassingReachesTheEntrant) {
    start();
    at(12.345, passing(7, 4012345, 12.345, 5, 80));
    EXPECT_EQ(entrant(0).hits, 5);
    EXPECT_EQ(entrant(0).signal, 80);
    EXPECT_EQ(entrant(0).lapcount, 1);
    EXPECT_NEAR(entrant(0).lastpass, 12.345, 1e-9);
    EXPECT_TRUE(notes().empty());
}

TEST_F(Counting, AmbrcRejections) {
    start();
    at(10, passing(8, 4012345, 10.0));
    EXPECT_EQ(notes(), std::vector<std::string>{WrongDecoderNote});
    EXPECT_EQ(entrant(0).lapcount, 0);

    // Too few hits: nothing counted, but the unknown transponder has become a car.
    ports.clear();
    at(11, passing(7, 5550001, 11.0, 2));
    EXPECT_EQ(notes(), std::vector<std::string>{
                           "Transponder5550001 Passing outside Hits(2) acceptence level"});
    ASSERT_EQ(engine().values().race_drivers.size(), 4u);
    EXPECT_EQ(entrant(3).transponder, 5550001);
    EXPECT_EQ(entrant(3).carno, 4);
    EXPECT_EQ(entrant(3).drivername, "Unknown 5550001");
    EXPECT_EQ(entrant(3).lapcount, 0);

    ports.clear();
    at(12, ambrc('@', {"7", "1", "4012345", "soon", "5", "80"}));
    EXPECT_EQ(notes(), std::vector<std::string>{InvalidTimeNote});
    EXPECT_EQ(entrant(0).lapcount, 0);
    EXPECT_EQ(entrant(0).hits, 0);

    // Transponders below 2100 are dropped without a word; 2100 makes a car.
    ports.clear();
    at(13, passing(7, 2099, 13.0));
    EXPECT_EQ(engine().values().race_drivers.size(), 4u);
    at(14, passing(7, 2100, 14.0));
    ASSERT_EQ(engine().values().race_drivers.size(), 5u);
    EXPECT_EQ(entrant(4).carno, 5);
    EXPECT_EQ(entrant(4).lapcount, 1);
    EXPECT_TRUE(notes().empty());
}

// Found by fuzzing (fuzz/regressions/decoder/): a passing refused after its unknown transponder
// had become a car left the running order naming the leader twice and the new car nowhere.
TEST_F(Counting, CarAddedByARefusedPassingTakesTheLastRunningPosition) {
    start();
    at(10, passing(7, 4012345, 10.0));
    at(11, "\x01@\t7\t1\t40000"); // no time: refused, but transponder 40000 is now a car
    ASSERT_EQ(engine().values().race_drivers.size(), 4u);
    std::vector<int> order;
    for (const RaceDriver& d : engine().values().race_drivers) order.push_back(d.runorder);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(Counting, GarbledRecordsAreAbandonedAndReported) {
    start();
    const std::string garbled[] = {
        ambrc('@', {"seven", "1", "4012345", "10.0", "5", "80"}),
        ambrc('@', {"7", "1", "40x2345", "10.0", "5", "80"}),
        ambrc('@', {"7", "1", "5550002", "10.0", "5!", "80"}),
        ambrc('@', {"7", "1", "5550002", "10.0", "5", "8 0"}),
    };
    for (const std::string& record : garbled) at(10, record);
    EXPECT_EQ(view.notices, (std::vector<std::string>{"'seven' is not a valid integer value",
                                                      "'40x2345' is not a valid integer value",
                                                      "'5!' is not a valid integer value",
                                                      "'8 0' is not a valid integer value"}));
    // No garbled record made a car; the next good record counts.
    EXPECT_EQ(engine().values().race_drivers.size(), 3u);
    at(11, passing(7, 4012345, 11.0));
    EXPECT_EQ(entrant(0).lapcount, 1);
}

TEST_F(Counting, GarbageFloodNeverStopsCounting) {
    start();
    // A megabyte of noise rich in the characters records are made of, over both links.
    std::mt19937 random(20261210);
    const std::string alphabet = "\x01\x01@@##$$\t\t\t\r\n\b0123456789.-x ";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::string noise;
    for (int i = 0; i < 1 << 20; ++i)
        noise += i % 7 == 0 ? static_cast<char>(anyByte(random)) : alphabet[pick(random)];
    runTo(raceClockOrigin() + 10);
    for (size_t i = 0; i < noise.size(); i += 4093) {
        equipment().CommPortDriverReceiveData(std::string_view(noise).substr(i, 4093));
        equipment().AMBClientSocketRead(std::string_view(noise).substr(i, 4093));
    }
    // An endless line, and a record far longer than any decoder sends.
    equipment().CommPortDriverReceiveData(std::string(200000, '7'));
    std::string longRecord = passing(7, 4012345, 10.0);
    for (int i = 0; i < 150; ++i) longRecord += "\t0";
    equipment().CommPortDriverReceiveData("\r\n" + longRecord + "\r\n");
    EXPECT_EQ(entrant(0).lapcount, 1);
    at(20, passing(7, 4012345, 20.0));
    EXPECT_EQ(entrant(0).lapcount, 2);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
}

TEST_F(Counting, StatusRecordsShowTheNoise) {
    start();
    at(5, ambrc('#', {"7", "0", "31"}));
    EXPECT_EQ(view.decoderStatus, "AMBrc Noise:31");
}

TEST_F(Counting, TrackTransponderSets) {
    program.settings.trackSets[1].transponders[4] = 7000001;
    program.settings.trackSets[2].transponders[2] = 7000002;
    program.settings.trackSets[3].transponders[3] = 7000002; // a later set overrides
    race(1, {1, 2, 3, 4});
    start();
    at(10, passing(7, 7000002, 10.0));
    EXPECT_EQ(entrant(2).lapcount, 1);
    EXPECT_EQ(entrant(2).transponder, 7000002);
    at(20, passing(7, 7000002, 20.0));
    EXPECT_EQ(entrant(2).lapcount, 2);
    EXPECT_EQ(entrant(1).lapcount, 0);
}

TEST_F(Counting, CountDifferentSetsAsSameCar) {
    program.settings.countSame = true;
    program.settings.trackSets[2].transponders[4] = 7000004;
    program.settings.trackSets[3].transponders[4] = 7000005;
    race(1, {1, 2, 3, 4});
    start();
    at(10, passing(7, 7000004, 10.0));
    at(20, passing(7, 7000005, 20.0));
    at(30, passing(7, 7000004, 30.0));
    EXPECT_EQ(entrant(3).lapcount, 3);
    EXPECT_EQ(entrant(3).transponder, 0);
    EXPECT_EQ(engine().values().race_drivers.size(), 4u);
}

TEST_F(Counting, UnknownCarsTakeTheSmallestFreeNumber) {
    race(2, {0, 2, 0, 5}); // slots 2 and 4 filled: car numbers 1, 3, 5 free
    program.settings.raceNumber = 2;
    start();
    at(10, passing(7, 6000001, 10.0));
    at(11, passing(7, 6000002, 11.0));
    at(12, passing(7, 6000003, 12.0));
    at(13, passing(7, 6000004, 13.0));
    std::vector<int> cars;
    for (const auto& d : engine().values().race_drivers) cars.push_back(d.carno);
    EXPECT_EQ(cars, (std::vector<int>{2, 4, 1, 3, 5, 6}));
    // Once the race time is over no car is added.
    runTo(raceClockOrigin() + 300.5);
    const size_t before = engine().values().race_drivers.size();
    equipment().CommPortDriverReceiveData(passing(7, 6000009, 300.0) + "\r");
    EXPECT_EQ(engine().values().race_drivers.size(), before);
}

TEST_F(Counting, AFloodOfUnknownTranspondersStopsAtTheUnknownCarLimit) {
    start();
    // 2,000 strangers, each crossing once, delivered as the serial line would.
    std::string block;
    for (int n = 0; n < 2000; ++n) block += passing(7, 6000000 + n, 10.0 + n * 0.002) + "\r\n";
    at(10, "");
    equipment().CommPortDriverReceiveData(block);
    ASSERT_EQ(engine().values().race_drivers.size(), 3u + MaxUnknownCars);
    EXPECT_EQ(entrant(3 + MaxUnknownCars - 1).transponder, 6000000 + MaxUnknownCars - 1);
    EXPECT_EQ(view.notices, std::vector<std::string>{UnknownCarLimitNotice});

    // The cars already in keep counting, known and unknown alike.
    at(30, passing(7, 4012345, 30.0));
    at(31, passing(7, 6000005, 31.0));
    at(32, passing(7, 6009999, 32.0));
    EXPECT_EQ(entrant(0).lapcount, 1);
    EXPECT_EQ(entrant(3 + 5).lapcount, 2);
    EXPECT_EQ(engine().values().race_drivers.size(), 3u + MaxUnknownCars);
    EXPECT_EQ(view.notices.size(), 1u);
}

TEST_F(Counting, RecordsOutsideBookingAndRaceAreIgnored) {
    attach();
    equipment().setDecoderId(7);
    ASSERT_TRUE(engine().Setuprace());
    equipment().CommPortDriverReceiveData(passing(7, 4012345, 1.0) + "\r");
    equipment().CommPortDriverReceiveData(passing(7, 5550001, 1.0) + "\r");
    EXPECT_EQ(engine().values().race_drivers.size(), 3u);
    EXPECT_EQ(engine().values().race_drivers[0].seen, true);
    EXPECT_EQ(engine().values().race_drivers[0].hits, 0);
}

class System20Counting : public Counting {
  protected:
    System20Counting() { program.settings.countDevice = 1; }
};

TEST_F(System20Counting, PassingsByCarNumber) {
    start();
    at(10, "@02000010007");
    EXPECT_EQ(entrant(1).lapcount, 1);
    EXPECT_EQ(entrant(1).hits, 7);
    EXPECT_NEAR(entrant(1).lastpass, 10.0, 1e-9);
    at(20, "@020000200012");
    EXPECT_EQ(entrant(1).lapcount, 2);
    EXPECT_EQ(entrant(1).hits, 12);
    // Clock records and short records count nothing; an unknown car number becomes a car.
    at(25, "@00000025");
    at(26, "@0200002");
    EXPECT_EQ(entrant(1).lapcount, 2);
    at(30, "@09000030005");
    ASSERT_EQ(engine().values().race_drivers.size(), 4u);
    EXPECT_EQ(entrant(3).carno, 9);
    EXPECT_EQ(entrant(3).drivername, "Unknown Car 9");
    at(31, "@0x000031005");
    EXPECT_EQ(view.notices, std::vector<std::string>{"'0x' is not a valid integer value"});
}

TEST_F(System20Counting, Ex20AndItalianUseTheRaceClock) {
    program.settings.ex20 = true;
    program.event.cpts[2].transponder = 4321;
    start();
    at(10, "@4321");
    EXPECT_EQ(entrant(1).lapcount, 1);
    EXPECT_EQ(entrant(1).hits, 1);
    EXPECT_EQ(entrant(1).signal, 1);
    EXPECT_NEAR(entrant(1).lastpass, 10.0, 1e-9);
    EXPECT_EQ(notes(), std::vector<std::string>{ComputerTimeNote});
    at(20, "@1234567");
    at(21, "@65601");
    EXPECT_EQ(engine().values().race_drivers.size(), 3u);
    at(22, "@65600");
    ASSERT_EQ(engine().values().race_drivers.size(), 4u);
    EXPECT_EQ(entrant(3).transponder, 65600);

    program.settings.ex20 = false;
    program.settings.italy = true;
    at(30, "@03x");
    EXPECT_EQ(entrant(2).lapcount, 1);
    EXPECT_NEAR(entrant(2).lastpass, 30.0, 1e-9);
    at(40, "@03");
    EXPECT_EQ(entrant(2).lapcount, 1);
}

TEST_F(System20Counting, SecondDecoderOnTheControllerPort) {
    program.settings.secondAmb = true;
    attach();
    station.controller.rciocontrollerReceiveData("@020000100007\r");
    engine().openRaceScreen();
    while (!engine().values().BookingIn && scheduler.fireNext()) {
    }
    station.controller.rciocontrollerReceiveData("@020000100007\r");
    while (engine().values().RaceState != RaceStates::Running && scheduler.fireNext()) {
    }
    EXPECT_EQ(entrant(1).lapcount, 0); // neither before the race nor while booking in
    at(10, "");
    station.controller.rciocontrollerReceiveData("@020000100007\r@090000100007\r@02000010007\r");
    EXPECT_EQ(entrant(1).lapcount, 1);
    EXPECT_EQ(entrant(1).hits, 0);                        // hits are not touched
    EXPECT_EQ(engine().values().race_drivers.size(), 3u); // no unknown car from this decoder
    program.settings.secondAmb = false;
    at(30, "");
    station.controller.rciocontrollerReceiveData("@020000300007\r");
    EXPECT_EQ(entrant(1).lapcount, 1);
}

} // namespace
