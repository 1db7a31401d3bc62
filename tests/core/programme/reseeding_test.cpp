#include "model/table_queries.h"
#include "programme/heat_sort_plan.h"
#include "programme/reseeding.h"
#include "programme/seeding_orders.h"
#include "programme/table_fill.h"
#include "support/event_builder.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::driver;
using vexa::test::seat;

namespace {

PerRace all(int n) {
    PerRace p;
    p.fill(n);
    return p;
}

// The Ids of a race in slot order, empty slots left out.
std::vector<int> idsIn(const RacingTable& t, int race) {
    std::vector<int> ids;
    for (int s = 1; s <= 20; ++s)
        if (const int id = t.idAt(race, s)) ids.push_back(id);
    return ids;
}

std::vector<int> range(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
}

// Drivers `first`..`last` of a class, each with one lap less than the one before in round 1.
void field(EventData& e, int first, int last, int classno) {
    for (int id = first; id <= last; ++id) {
        driver(e, id, test::numbered("D", id), classno);
        e.storeResult(id, 1, 100 - id, 300.0);
    }
}

TEST(SeedingOrders, AbilityAndFtdTieBreaks) {
    EventData e;
    e.cpts[5].ability = 80;
    e.cpts[2].ability = 50;
    e.cpts[9].ability = 80;
    const OrderList a = AbilitySort(e);
    EXPECT_EQ((std::vector<int>(a.begin(), a.begin() + 5)), (std::vector<int>{5, 9, 2, 1, 3}));
    EXPECT_EQ(a[299], 300);

    e.storeResult(7, 1, 10, 300.0);
    e.storeResult(3, 2, 10, 300.0);
    e.storeResult(4, 1, 10, 299.0);
    e.storeResult(4, 3, 12, 400.0); // outside the range 1..2
    e.storeResult(8, 1, 0, 5.0);    // no best round: 0 laps in 0.0 s, with everybody else
    const OrderList f = FTDSort(e, 1, 2);
    EXPECT_EQ((std::vector<int>(f.begin(), f.begin() + 5)), (std::vector<int>{4, 3, 7, 1, 2}));
    EXPECT_EQ(FTDSort(e, 1, 3)[0], 4);
}

TEST(TableFill, ClassOfTwentyThreeMakesThreeLetteredRacesWithARunningLast) {
    EventData e;
    field(e, 1, 23, 2);
    const FillResult r = FillTableFromOrder(e.finals, FTDSort(e, 1, 1), e, all(10), false);
    ASSERT_TRUE(r.filled);
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(e.finals.info(1), "2/C");
    EXPECT_EQ(e.finals.info(2), "2/B");
    EXPECT_EQ(e.finals.info(3), "2/A");
    EXPECT_EQ(idsIn(e.finals, 1), range(21, 23));
    EXPECT_EQ(idsIn(e.finals, 2), range(11, 20));
    EXPECT_EQ(idsIn(e.finals, 3), range(1, 10));
    EXPECT_EQ(driversInRace(e.finals, 4), 0);
}

TEST(TableFill, ClassesRunFromClassZeroUpAndEachStartsANewRace) {
    EventData e;
    field(e, 1, 5, 1);
    field(e, 6, 17, 3);
    e.heats.setInfo(40, "9/Z"); // an old table is emptied first
    seat(e.heats, 40, {1, 2});
    ASSERT_TRUE(FillTableFromOrder(e.heats, FTDSort(e, 1, 1), e, all(10), false).filled);
    EXPECT_EQ(e.heats.info(1), "1/A");
    EXPECT_EQ(e.heats.info(2), "3/B");
    EXPECT_EQ(e.heats.info(3), "3/A");
    EXPECT_EQ(idsIn(e.heats, 1), range(1, 5));
    EXPECT_EQ(idsIn(e.heats, 2), range(16, 17));
    EXPECT_EQ(idsIn(e.heats, 3), range(6, 15));
    for (int race = 4; race <= 50; ++race) {
        EXPECT_EQ(driversInRace(e.heats, race), 0) << race;
        EXPECT_EQ(e.heats.info(race), "") << race;
    }
}

TEST(TableFill, EligibilityLeavesOutDisabledFreeAndScorelessDrivers) {
    EventData e;
    field(e, 1, 3, 0);
    e.cpts[2].enabled = 'N';
    driver(e, 4, "NoScore");
    e.storeResult(4, 1, 0, 100.0);
    e.storeResult(10, 1, 50, 1.0); // a free entry with a result
    FillTableFromOrder(e.heats, FTDSort(e, 1, 1), e, all(10), false);
    EXPECT_EQ(idsIn(e.heats, 1), (std::vector<int>{1, 3}));
    FillTableFromOrder(e.heats, FTDSort(e, 1, 1), e, all(10), true);
    EXPECT_EQ(idsIn(e.heats, 1), (std::vector<int>{1, 3, 4}));

    const HeatSortPlan without = openHeatSortPlan(e, ProgSettings{}, false);
    ASSERT_EQ(without.rows.size(), 1u);
    EXPECT_EQ(without.rows[0].total, 2);
    EXPECT_EQ(openHeatSortPlan(e, ProgSettings{}, true).rows[0].total, 3);
}

TEST(TableFill, AbilityOrderKeepsLowerIdFirstOnEqualAbility) {
    EventData e;
    for (int id = 1; id <= 4; ++id) driver(e, id, test::numbered("D", id)).ability = 40;
    e.cpts[3].ability = 90;
    FillTableFromOrder(e.heats, AbilitySort(e), e, all(10), true);
    EXPECT_EQ(idsIn(e.heats, 1), (std::vector<int>{3, 1, 2, 4}));
}

TEST(TableFill, RefusesDriversPerRaceOutsideOneToTwenty) {
    EventData e;
    field(e, 1, 4, 2);
    seat(e.heats, 1, {9});
    for (int bad : {0, -3, 21}) {
        PerRace p = all(10);
        p[2] = bad;
        const FillResult r = FillTableFromOrder(e.heats, FTDSort(e, 1, 1), e, p, false);
        EXPECT_FALSE(r.filled) << bad;
        EXPECT_EQ(r.message, "The number of drivers per race of class 2 must be from 1 to 20");
        EXPECT_EQ(idsIn(e.heats, 1), (std::vector<int>{9})); // untouched
    }
    PerRace unused = all(10);
    unused[7] = 0; // a class with nobody to place does not matter
    EXPECT_TRUE(FillTableFromOrder(e.heats, FTDSort(e, 1, 1), e, unused, false).filled);
}

TEST(TableFill, StopsWhenTheFiftyRacesAreFullAndNamesWhoWasLeftOut) {
    EventData e;
    field(e, 1, 8, 5);  // class 5: 8 races of 1, placed first (it is the higher class)
    field(e, 9, 60, 0); // class 0: 52 drivers for the 42 races left
    PerRace p = all(1);
    const FillResult r = FillTableFromOrder(e.heats, FTDSort(e, 1, 1), e, p, false);
    ASSERT_TRUE(r.filled);
    EXPECT_EQ(r.leftOut, range(51, 60)); // the last of class 0
    EXPECT_EQ(r.message.rfind("The table holds only 50 races. These drivers were left out: "
                              "(51) D51, (52) D52",
                              0),
              0u);
    for (int race = 1; race <= 50; ++race) EXPECT_EQ(driversInRace(e.heats, race), 1) << race;
    EXPECT_EQ(e.heats.info(50), "5/A");
    EXPECT_EQ(e.heats.info(42), "0/A");
    EXPECT_EQ(idsIn(e.heats, 42), std::vector<int>{9});
    EXPECT_EQ(idsIn(e.heats, 1), std::vector<int>{50});
}

TEST(CompactTable, MovesRacesLeftInOrderWithTheirInformation) {
    RacingTable t;
    t.setInfo(2, "x/Y"); // information without drivers is overwritten by a later race
    seat(t, 3, {0, 0, 5});
    t.setInfo(3, "1/B");
    seat(t, 7, {6, 7});
    t.setInfo(7, "1/A");
    t.setSlotText(50, 20, "8");
    CompactTable(t);
    EXPECT_EQ(t.info(1), "1/B");
    EXPECT_EQ(t.slotText(1, 3), "5");
    EXPECT_EQ(t.info(2), "1/A");
    EXPECT_EQ(idsIn(t, 2), (std::vector<int>{6, 7}));
    EXPECT_EQ(t.slotText(3, 20), "8");
    for (int race = 4; race <= 50; ++race) EXPECT_EQ(driversInRace(t, race), 0);
    EXPECT_EQ(t.info(7), "");
}

TEST(HeatSortPlan, RacesInLastAndUpdate) {
    const struct {
        int n, p, races, inLast;
    } cases[] = {{23, 10, 3, 3}, {20, 10, 2, 10}, {7, 10, 1, 7}, {10, 10, 1, 10},
                 {11, 10, 2, 1}, {5, 1, 5, 1},    {1, 20, 1, 1}, {4, 0, 0, 0}};
    for (const auto& c : cases) {
        const RaceSplit s = racesAndInLast(c.n, c.p);
        EXPECT_EQ(s.races, c.races) << c.n << "/" << c.p;
        EXPECT_EQ(s.inLast, c.inLast) << c.n << "/" << c.p;
    }

    EventData e;
    ProgSettings settings;
    settings.classes[1].name = "Buggy";
    field(e, 1, 23, 1);
    field(e, 24, 30, 4);
    HeatSortPlan plan = openHeatSortPlan(e, settings, false);
    ASSERT_EQ(plan.rows.size(), 2u);
    EXPECT_EQ(plan.rows[0].classText, "1) Buggy");
    EXPECT_EQ(plan.rows[0].split.races, 3);
    EXPECT_EQ(plan.rows[1].split.inLast, 7);

    ASSERT_TRUE(updatePerRace(plan, {"8", ""}));
    EXPECT_EQ(plan.perrace[1], 8);
    EXPECT_EQ(plan.rows[0].split.races, 3);
    EXPECT_EQ(plan.rows[0].split.inLast, 7);
    EXPECT_EQ(plan.perrace[4], 10);

    const Outcome notNumber = updatePerRace(plan, {"6", "x"});
    EXPECT_EQ(notNumber.message, "'x' is not a whole number");
    EXPECT_EQ(plan.perrace[1], 6); // rows before the bad cell are read
    EXPECT_EQ(plan.perrace[4], 10);
    for (const char* bad : {"0", "21"}) {
        EXPECT_EQ(updatePerRace(plan, {bad, "5"}).message, PerRaceRangeMessage);
        EXPECT_EQ(plan.perrace[1], 6);
        EXPECT_EQ(plan.perrace[4], 10);
    }
}

TEST(Reseeding, PointsOrderFillsAndAllocatesFrequencies) {
    EventData e;
    ProgSettings s;
    // Class 0: 3 drivers owning the same two crystals and all on crystal 1.
    for (int id = 1; id <= 3; ++id) {
        comp_ent& c = driver(e, id, test::numbered("D", id));
        c.setOwnedFreqs({1, 2, 3});
        c.heatfreq = 1;
    }
    e.storeResult(1, 1, 5, 10.0);
    e.storeResult(2, 1, 7, 10.0);
    e.storeResult(3, 1, 6, 10.0);
    SortChoice choice;
    choice.heatsTable = true;
    choice.ordering = SeedOrdering::Points;
    choice.firstRound = 1;
    choice.lastRound = 1;
    const FillResult r = reseedTable(e, s, choice, all(10));
    ASSERT_TRUE(r.filled);
    EXPECT_EQ(idsIn(e.heats, 1), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(e.heats.info(1), "0/A");
    EXPECT_EQ(e.cpts[1].heatfreq, 2); // slot 3 moves first, to his first free crystal
    EXPECT_EQ(e.cpts[3].heatfreq, 3);
    EXPECT_EQ(e.cpts[2].heatfreq, 1);

    choice.allocateFrequencies = false;
    choice.ordering = SeedOrdering::Ability;
    e.cpts[1].ability = 9;
    e.cpts[1].heatfreq = 1;
    ASSERT_TRUE(reseedTable(e, s, choice, all(2)).filled);
    EXPECT_EQ(idsIn(e.heats, 1), (std::vector<int>{3}));
    EXPECT_EQ(e.heats.info(1), "0/B");
    EXPECT_EQ(idsIn(e.heats, 2), (std::vector<int>{1, 2}));
    EXPECT_EQ(e.cpts[1].heatfreq, 1); // no allocation

    EXPECT_FALSE(writesOverallPageFirst(choice));
    choice.heatsTable = false;
    EXPECT_FALSE(writesOverallPageFirst(choice));
    choice.ordering = SeedOrdering::Ftd;
    EXPECT_TRUE(writesOverallPageFirst(choice));
}

} // namespace
