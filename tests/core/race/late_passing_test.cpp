// A crossing the decoder recorded that reaches the race after later ones of the same car (sent
// again late): counted in its place, as if it had come in its order.
#include "support/race_fixture.h"

using namespace vexa;
using vexa::test::RaceFixture;

namespace {

class LatePassing : public RaceFixture {
  protected:
    LatePassing() {
        massHeats();
        raceMinutes(5);
        race(1, {1, 2});
        program.settings.minLap = "7";
    }
    // Car 1 crosses at each of `times` as they come, then once at `late`.
    const RaceDriver& run(std::initializer_list<double> times, double late, bool& placed) {
        openAndStart();
        const double start = raceClockOrigin();
        for (double t : times) {
            runTo(start + t + 0.1);
            EXPECT_TRUE(engine().sortRecordedPass(0, t));
        }
        runTo(start + std::max(times) + 0.15);
        placed = engine().sortRecordedPass(0, late);
        return engine().values().race_drivers[0];
    }
    static std::vector<double> laps(const RaceDriver& d) {
        return std::vector<double>(d.laptimes.begin() + 1, d.laptimes.begin() + 1 + d.lapcount);
    }
};

TEST_F(LatePassing, CountsInItsPlace) {
    struct Case {
        const char* name;
        std::initializer_list<double> times;
        double late;
        std::vector<double> laps;
        bool finished;
    };
    const Case cases[] = {
        {"a lap between two", {20, 60, 80}, 40, {20, 20, 20, 20}, false},
        {"within the minimum lap of the one before: nothing", {20, 60}, 23, {20, 40}, false},
        {"the one after it now within the minimum lap", {20, 60, 80}, 55, {20, 35, 25}, false},
        {"the first lap", {30, 50}, 10, {10, 20, 20}, false},
        {"past the race time: it finishes the car, the later one does not count",
         {270, 290, 320},
         305,
         {270, 20, 15},
         true},
        {"after the car finished: nothing", {270, 290, 310, 330}, 320, {270, 20, 20}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dropEngine();
        bool placed = false;
        const RaceDriver& d = run(c.times, c.late, placed);
        EXPECT_TRUE(placed);
        EXPECT_EQ(laps(d), c.laps);
        EXPECT_EQ(d.finished(), c.finished);
        double sum = 0;
        for (double lap : c.laps) sum += lap;
        EXPECT_DOUBLE_EQ(d.lastpass, sum);
        if (c.laps.size() >= 2) {
            EXPECT_DOUBLE_EQ(d.fastestlap, *std::min_element(c.laps.begin() + 1, c.laps.end()));
        }
    }
}

TEST_F(LatePassing, AStaggerStartCannotPlaceIt) {
    program.settings.heatMass = false;
    bool placed = true;
    const RaceDriver& d = run({5, 30, 60}, 45, placed);
    EXPECT_FALSE(placed);
    EXPECT_EQ(d.lapcount, 2);
}

} // namespace
