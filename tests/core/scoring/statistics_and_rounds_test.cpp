#include "scoring/end_of_round.h"
#include "scoring/event_statistics.h"
#include "scoring_fixture.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

TEST(EventStatistics, CountsLapsAndDistancePerClass) {
    EventData e;
    ProgSettings s;
    s.classes[1].name = "Buggy";
    s.trackLength = "500";
    driver(e, 1, "A", 1);
    driver(e, 2, "B", 1);
    driver(e, 3, "C", 1).enabled = 'N'; // disabled laps still count
    driver(e, 4, "D", 6);
    e.cpts[5].classno = 1; // not in use
    results(e, 1, {{400, 1.0}, {0, 5.0}, None});
    results(e, 2, {{300, 1.0}});
    results(e, 3, {{200, 1.0}});
    e.storeResult(1, 20, 100, 1.0); // round 20 counts too
    e.storeResult(5, 1, 999, 1.0);

    EventStatistics stats;
    ASSERT_TRUE(eventStatistics(e, s, stats));
    ASSERT_EQ(stats.classes.size(), 2u);
    const ClassStatistics& buggy = stats.classes[0];
    EXPECT_EQ(buggy.className, "Buggy");
    EXPECT_EQ(buggy.entered, 3);
    EXPECT_EQ(buggy.enabled, 2);
    EXPECT_EQ(buggy.laps, 1000);
    EXPECT_NEAR(buggy.miles, 310.685595, 1e-6); // shown as 310.69
    EXPECT_NEAR(buggy.km, 500.0, 1e-5);         // shown as 500.00
    EXPECT_EQ(stats.classes[1].classno, 6);
    EXPECT_EQ(stats.classes[1].laps, 0);
}

TEST(EventStatistics, TrackLengthUnitsAndText) {
    ProgSettings s;
    const struct {
        const char* text;
        bool feet;
        double miles;
    } cases[] = {{"1000", false, 0.62137119},
                 {"1000", true, 0.3048 * 0.62137119},
                 {"", false, 0.0},
                 {"2.5", false, 2.5 * 0.00062137119}};
    for (const auto& c : cases) {
        s.trackLength = c.text;
        s.trackMeasureFeet = c.feet;
        ASSERT_TRUE(trackLengthMiles(s).has_value()) << c.text;
        EXPECT_NEAR(*trackLengthMiles(s), c.miles, 1e-12) << c.text;
    }

    EventData e;
    driver(e, 1, "A");
    s.trackLength = "12x";
    EventStatistics kept;
    kept.trackMiles = 7.0;
    const Outcome o = eventStatistics(e, s, kept);
    EXPECT_FALSE(o);
    EXPECT_EQ(o.message, "'12x' is not a valid number");
    EXPECT_EQ(kept.trackMiles, 7.0);
    EXPECT_TRUE(kept.classes.empty());

    s.trackLength = "500";
    EventStatistics none;
    ASSERT_TRUE(eventStatistics(EventData{}, s, none));
    EXPECT_TRUE(none.classes.empty());
}

TEST(EndOfRound, RoundsAreHeldAtTwentyAndFinalsEnteredOnce) {
    ProgSettings s;
    s.roundNumber = 19;
    s.raceNumber = 7;
    EXPECT_EQ(endOfRoundText(s), "Round 19 of the Heats has ended");
    advanceRound(s);
    EXPECT_EQ(s.roundNumber, 20);
    EXPECT_EQ(s.raceNumber, 1);
    s.raceNumber = 4;
    advanceRound(s);
    EXPECT_EQ(s.roundNumber, 20);
    EXPECT_EQ(s.raceNumber, 1);

    EventData e;
    e.cpts[3].heatfreq = 9;
    e.cpts[3].finalfreq = 2;
    ASSERT_TRUE(canEnterFinals(s));
    enterFinals(e, s);
    EXPECT_FALSE(s.racingHeats);
    EXPECT_EQ(endOfRoundText(s), "Round 20 of the Finals has ended");
    EXPECT_EQ(e.cpts[3].finalfreq, 9);
    EXPECT_EQ(canEnterFinals(s).message, AlreadyInFinalModeMessage);
}

} // namespace
