#include "scoring/final_results.h"
#include "scoring/ftd_standings.h"
#include "scoring/multiple_ftd.h"
#include "scoring_fixture.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

std::vector<int> idsOf(const FtdClass& c) {
    std::vector<int> ids;
    for (const auto& l : c.lines) ids.push_back(l.id);
    return ids;
}

TEST(FtdStandings, BestSingleRoundOrderAndTheIncludeNoScoreOption) {
    EventData e;
    ProgSettings s;
    s.classes[4].name = "Truck";
    driver(e, 1, "A", 4);
    driver(e, 2, "B", 4);
    driver(e, 3, "C", 4);
    driver(e, 4, "Zero", 4);
    driver(e, 5, "Idle", 4);
    driver(e, 6, "Off", 4).enabled = 'N';
    driver(e, 7, "Other", 2).enabled = 'N';    // class 2 has no enabled competitor: not listed
    results(e, 1, {{10, 300.0}, {11, 320.0}}); // best round 2
    results(e, 2, {{11, 310.0}, None});
    results(e, 3, {{11, 310.0}, {11, 315.0}}); // equal to 2: the lower Id first
    results(e, 4, {{0, 50.0}, {0, 40.0}});
    results(e, 6, {{20, 1.0}});

    const FtdStandings without = ftdStandings(e, s, 1, 2, false);
    ASSERT_EQ(without.classes.size(), 1u);
    const FtdClass& c = without.classes[0];
    EXPECT_EQ(c.classno, 4);
    EXPECT_EQ(c.className, "Truck");
    EXPECT_EQ(c.drivers, 5);
    EXPECT_EQ(idsOf(c), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(c.lines[2].bestRound, 2);
    EXPECT_EQ(c.lines[2].laps, 11);
    EXPECT_DOUBLE_EQ(c.lines[2].time, 320.0);
    EXPECT_EQ(c.lines[2].position, 3);

    const FtdStandings with = ftdStandings(e, s, 1, 2, true);
    EXPECT_EQ(idsOf(with.classes[0]), (std::vector<int>{2, 3, 1, 4, 5}));
    const FtdLine& zero = with.classes[0].lines[3];
    EXPECT_EQ(zero.bestRound, 0);
    EXPECT_EQ(zero.laps, 0);
    EXPECT_EQ(zero.time, 0.0);
    EXPECT_EQ(zero.position, 4);

    // Round 1 alone.
    EXPECT_EQ(idsOf(ftdStandings(e, s, 1, 1, false).classes[0]), (std::vector<int>{2, 3, 1}));
}

TEST(MultipleFtd, AddsTheBestRoundsIntoRoundTwenty) {
    EventData e;
    results(e, 1, {{12, 300.0}, {13, 305.0}, {11, 290.0}, {13, 301.0}});
    results(e, 2, {{0, 10.0}, {0, 20.0}});              // no best round
    results(e, 3, {{5, 100.0}, {0, 30.0}, None});       // a 0-lap round is added, "none" never
    results(e, 4, {None, None, None, None, {7, 70.0}}); // round 5, beyond the current round
    e.storeResult(5, 20, 99, 9.0);                      // a stored round 20 is replaced

    MultipleFtdChoice all;
    all.roundsToScore = 2;
    ASSERT_TRUE(MultipleFTD(e, all));
    EXPECT_EQ(e.cptres[1].laps[20], 26);
    EXPECT_DOUBLE_EQ(e.cptres[1].time[20], 606.0);
    EXPECT_EQ(e.cptres[2].laps[20], -1);
    EXPECT_EQ(e.cptres[2].time[20], -1.0);
    EXPECT_EQ(e.cptres[3].laps[20], 5);
    EXPECT_DOUBLE_EQ(e.cptres[3].time[20], 130.0);
    EXPECT_EQ(e.cptres[4].laps[20], 7);
    EXPECT_EQ(e.cptres[5].laps[20], -1);

    // Three rounds of 1..4: 13 + 13 + 12.
    MultipleFtdChoice three{false, 1, 4, 3};
    ASSERT_TRUE(MultipleFTD(e, three));
    EXPECT_EQ(e.cptres[1].laps[20], 38);
    EXPECT_DOUBLE_EQ(e.cptres[1].time[20], 906.0);

    // The composite ranks FTD over 20..20.
    ProgSettings s;
    driver(e, 1, "A");
    driver(e, 3, "C");
    const FtdStandings f = ftdStandings(e, s, 20, 20, false);
    EXPECT_EQ(idsOf(f.classes[0]), (std::vector<int>{1, 3}));
}

TEST(MultipleFtd, RefusedRangesChangeNothing) {
    EventData e;
    results(e, 1, {{12, 300.0}, {13, 305.0}, {11, 290.0}, {13, 301.0}});
    e.storeResult(1, 20, 1, 1.0);
    const struct {
        MultipleFtdChoice choice;
        const char* message;
    } cases[] = {
        {{false, 3, 4, 3}, TooFewRoundsMessage},
        {{false, 4, 3, 2}, StartAfterEndMessage},
        {{false, 5, 5, 2}, TooFewRoundsMessage},
    };
    for (const auto& c : cases) {
        const Outcome o = MultipleFTD(e, c.choice);
        EXPECT_FALSE(o);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(e.cptres[1].laps[20], 1);
    }
}

TEST(FinalResults, RankedByTheChosenRoundInSlotOrderOnTies) {
    EventData e;
    ProgSettings s;
    s.classes[3].name = "Nitro";
    driver(e, 1, "A", 3).memno = "M1";
    driver(e, 2, "B", 1);
    driver(e, 3, "C", 3);
    driver(e, 4, "D", 3);
    driver(e, 5, "E", 3);
    e.storeResult(1, 2, 20, 301.5);
    e.storeResult(2, 2, 20, 301.5);
    e.storeResult(3, 2, 21, 330.0);
    e.storeResult(5, 2, 0, 12.0); // 0 laps with a time is placed
    // 4 did not run round 2.
    e.finals.setInfo(2, "3/B");
    e.finals.setSlotText(2, 1, "x"); // not a driver
    e.finals.setSlotText(2, 2, "1"); // first driver: class 3
    e.finals.setSlotText(2, 4, "4");
    e.finals.setSlotText(2, 6, "2");
    e.finals.setSlotText(2, 7, "3");
    e.finals.setSlotText(2, 9, "5");
    e.finals.setSlotText(3, 1, "2");

    const auto all = finalResults(e, s, 1, 45, 2);
    ASSERT_EQ(all.size(), 2u); // final 1 has no driver
    const FinalResult& f = all[0];
    EXPECT_EQ(f.final, 2);
    EXPECT_EQ(f.letter, "B");
    EXPECT_EQ(f.className, "Nitro");
    ASSERT_EQ(f.lines.size(), 4u);
    const int slots[] = {7, 2, 6, 9};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.lines[i].slot, slots[i]);
        EXPECT_EQ(f.lines[i].position, i + 1);
    }
    EXPECT_EQ(f.lines[1].memno, "M1");
    EXPECT_EQ(f.lines[1].laps, 20);
    EXPECT_EQ(all[1].letter, ""); // no information text
    EXPECT_EQ(all[1].lines.size(), 1u);

    EXPECT_TRUE(finalResults(e, s, 2, 2, 3)[0].lines.empty()); // nobody ran round 3
    EXPECT_TRUE(finalResults(e, s, 2, 2, 0)[0].lines.empty());
    EXPECT_TRUE(finalResults(e, s, 4, 45, 2).empty());
}

} // namespace
