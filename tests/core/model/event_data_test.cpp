#include "model/event_data.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

TEST(EventData, FreshEventHasNoCompetitorsAndNoResults) {
    EventData e;
    EXPECT_EQ(e.firstFreeId(), 1);
    for (int id = 1; id <= 300; ++id) {
        EXPECT_FALSE(e.competitor(id).inUse());
        EXPECT_EQ(e.competitor(id).enabled, 'Y');
        for (int r = 1; r <= 20; ++r) EXPECT_FALSE(e.cptres[id].hasResult(r));
        EXPECT_EQ(e.cptres[id].laps[0], 0);
    }
    for (int id = 1; id <= 300; ++id) e.competitor(id).name = "X";
    EXPECT_EQ(e.firstFreeId(), 0);
}

TEST(EventData, ResultPresence) {
    EventData e;
    e.storeResult(300, 20, 0, -1.0);
    e.storeResult(1, 1, -1, 12.5);
    e.storeResult(1, 21, 5, 5.0); // there is no round 21
    EXPECT_TRUE(e.cptres[300].hasResult(20));
    EXPECT_TRUE(e.cptres[1].hasResult(1));
    EXPECT_FALSE(e.cptres[1].hasResult(2));
}

struct BestRoundCase {
    const char* name;
    std::vector<std::pair<int, double>> rounds; // laps, time for rounds 1..n
    int first, last, expected;
};

TEST(EventData, BestRound) {
    const BestRoundCase cases[] = {
        {"none", {}, 1, 20, 0},
        {"zero laps never count", {{0, 10.0}, {0, -1.0}}, 1, 20, 0},
        {"more laps win", {{10, 300.0}, {11, 310.0}}, 1, 20, 2},
        {"smaller time wins on equal laps", {{10, 300.0}, {10, 299.5}}, 1, 20, 2},
        {"earliest of equal results", {{10, 300.0}, {10, 300.0}}, 1, 20, 1},
        {"range respected", {{12, 300.0}, {10, 300.0}, {11, 300.0}}, 2, 3, 3},
        {"no result skipped", {{-1, -1.0}, {3, 90.0}}, 1, 20, 2},
    };
    for (const auto& c : cases) {
        EventData e;
        for (size_t i = 0; i < c.rounds.size(); ++i)
            e.storeResult(7, static_cast<int>(i) + 1, c.rounds[i].first, c.rounds[i].second);
        EXPECT_EQ(BestRound(e, 7, c.first, c.last), c.expected) << c.name;
    }
}

TEST(Competitor, FrequencyTextAndFlag) {
    FreqNames names;
    names.names[4] = "Ch 4";
    names.names[9] = "Ch 9";
    comp_ent c;
    c.heatfreq = 4;
    c.finalfreq = 9;
    EXPECT_EQ(competitorFreqText(c, names, true), "Ch 4");
    EXPECT_EQ(competitorFreqText(c, names, false), "Ch 9");
    c.finalfreq = 0;
    EXPECT_EQ(competitorFreqText(c, names, false, "None"), "None");
    c.setNoFreqNeeded(true);
    EXPECT_EQ(competitorFreqText(c, names, true), "Not Req/2.4Ghz");
    c.setOwnedFreqs({1, 2});
    EXPECT_TRUE(c.noFreqNeeded()); // a shorter list keeps the flag
    EXPECT_EQ(c.ownedFreqs(), (std::vector<int>{1, 2}));
}

TEST(Competitor, CapitaliseWords) {
    EXPECT_EQ(capitaliseWords("ann lee"), "Ann Lee");
    EXPECT_EQ(capitaliseWords("mcDONALD  o'neil"), "McDONALD  O'neil");
    EXPECT_EQ(capitaliseWords(""), "");
    EXPECT_EQ(capitaliseWords("\xe9mile"), "\xc9mile"); // Latin-1 e acute
}

} // namespace
