#include "scoring/round_points.h"
#include "scoring_fixture.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

const PointsLine* lineOf(const PointsStandings& s, int id) {
    for (const auto& c : s.classes)
        for (const auto& l : c.lines)
            if (l.id == id) return &l;
    return nullptr;
}

std::vector<int> idsOf(const PointsClass& c) {
    std::vector<int> ids;
    for (const auto& l : c.lines) ids.push_back(l.id);
    return ids;
}

TEST(RoundPositions, EqualResultsShareAndCompetitorsWithoutResultShareTheNext) {
    EventData e;
    ProgSettings s;
    s.classes[1].name = "Buggy";
    driver(e, 1, "A", 1);
    driver(e, 2, "B", 1);
    driver(e, 3, "C", 1);
    driver(e, 4, "D", 1);
    driver(e, 5, "E", 1);
    driver(e, 6, "F", 2);               // another class is placed on its own
    driver(e, 7, "G", 1).enabled = 'N'; // disabled: not placed, not counted
    driver(e, 8, "H", 1);               // laps typed as none but a stray time: no result
    results(e, 1, {{10, 300.0}, {9, 200.0}, {10, 250.0}});
    results(e, 2, {{10, 300.0}, {9, 200.0}, {9, 250.0}});
    results(e, 3, {{10, 301.2}, {9, 200.0}, None});
    results(e, 4, {{9, 100.0}, {8, 1.0}, None});
    results(e, 5, {{8, 100.0}, None, None});
    results(e, 6, {{1, 999.0}, {1, 1.0}, {1, 1.0}});
    results(e, 7, {{50, 1.0}, {50, 1.0}, {50, 1.0}});
    results(e, 8, {{1, 1.0}, {-1, 5.0}, None});

    const PointsStandings p = RoundPoints(e, s, 1, 3, 3, false);
    const struct {
        int id;
        std::vector<int> positions;
        int total;
    } cases[] = {
        {1, {1, 1, 1}, 3},  {2, {1, 1, 2}, 4}, {3, {2, 1, 3}, 6},  {4, {3, 2, 3}, 8},
        {5, {4, 3, 3}, 10}, {6, {1, 1, 1}, 3}, {8, {5, 3, 3}, 11},
    };
    for (const auto& c : cases) {
        const PointsLine* line = lineOf(p, c.id);
        ASSERT_NE(line, nullptr) << c.id;
        EXPECT_EQ(line->roundPositions, c.positions) << c.id;
        EXPECT_EQ(line->total, c.total) << c.id;
    }
    EXPECT_EQ(lineOf(p, 7), nullptr);
    ASSERT_EQ(p.classes.size(), 2u);
    EXPECT_EQ(p.classes[0].classno, 1);
    EXPECT_EQ(p.classes[0].className, "Buggy");
    EXPECT_EQ(p.classes[0].drivers, 6); // enabled competitors in use
    EXPECT_EQ(idsOf(p.classes[0]), (std::vector<int>{1, 2, 3, 4, 5, 8}));
}

TEST(RoundPoints, NoScoreCompetitorsNeedTheOption) {
    EventData e;
    ProgSettings s;
    driver(e, 1, "A");
    driver(e, 2, "Zero");
    results(e, 1, {{5, 50.0}, {5, 40.0}});
    results(e, 2, {{0, 10.0}, {0, -1.0}}); // only 0-lap rounds: no best round
    const auto without = RoundPoints(e, s, 1, 2, 2, false);
    EXPECT_EQ(idsOf(without.classes[0]), (std::vector<int>{1}));
    EXPECT_EQ(without.wholeField[1], 0);
    const auto with = RoundPoints(e, s, 1, 2, 2, true);
    EXPECT_EQ(idsOf(with.classes[0]), (std::vector<int>{1, 2}));
    EXPECT_EQ(with.classes[0].lines[1].roundPositions, (std::vector<int>{2, 2}));
}

TEST(RoundPoints, TotalOfTheBestCountedRounds) {
    // Positions of competitor 1 over rounds 1..3 are 3, 1, 2 (against two others).
    EventData e;
    ProgSettings s;
    driver(e, 1, "A");
    driver(e, 2, "B");
    driver(e, 3, "C");
    results(e, 1, {{5, 10.0}, {9, 10.0}, {7, 10.0}});
    results(e, 2, {{8, 10.0}, {6, 10.0}, {8, 10.0}});
    results(e, 3, {{9, 10.0}, {5, 10.0}, {6, 10.0}});
    const struct {
        int count, total, bestLaps;
    } cases[] = {{1, 1, 9}, {2, 3, 9}, {3, 6, 9}, {5, 6, 9}, {0, 0, 0}};
    for (const auto& c : cases) {
        const auto p = RoundPoints(e, s, 1, 3, c.count, false);
        const PointsLine* line = lineOf(p, 1);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->total, c.total) << c.count;
        EXPECT_EQ(line->bestLaps, c.bestLaps) << c.count;
        EXPECT_EQ(line->roundPositions, (std::vector<int>{3, 1, 2}));
    }
    // A range of one round: the round positions only.
    const auto one = RoundPoints(e, s, 2, 2, 3, false);
    EXPECT_EQ(lineOf(one, 3)->roundPositions, (std::vector<int>{3}));
    EXPECT_EQ(lineOf(one, 3)->total, 3);
    // A range that starts after it ends places nobody.
    const auto none = RoundPoints(e, s, 3, 1, 1, true);
    EXPECT_TRUE(lineOf(none, 1)->roundPositions.empty());
    EXPECT_EQ(lineOf(none, 1)->total, 0);
}

TEST(RoundPoints, EqualPositionsCountTheRoundWithMoreLapsThenShorterTime) {
    // Competitor 1 wins rounds 1..3 alone with 5, 7 and 7 laps; counting one round takes the
    // round with more laps, then the shorter time: round 3.
    EventData e;
    ProgSettings s;
    driver(e, 1, "A");
    results(e, 1, {{5, 10.0}, {7, 12.0}, {7, 11.0}});
    const PointsStandings p = RoundPoints(e, s, 1, 3, 1, false);
    const PointsLine* line = lineOf(p, 1);
    EXPECT_EQ(line->total, 1);
    EXPECT_EQ(line->bestLaps, 7);
    EXPECT_DOUBLE_EQ(line->bestTime, 11.0);
}

TEST(RoundPoints, EqualTotalsByBestLapsThenBestTimeThenIdWithRunningPositions) {
    // Crossing results over two rounds give all four competitors the same total.
    EventData e;
    ProgSettings s;
    for (int id = 1; id <= 4; ++id) driver(e, id, test::numbered("D", id), 3);
    results(e, 1, {{10, 50.0}, {8, 50.0}});
    results(e, 2, {{8, 50.0}, {10, 50.0}});
    results(e, 3, {{9, 40.0}, {9, 60.0}});
    results(e, 4, {{9, 60.0}, {9, 40.0}});
    // Round 1: 1 (10), 3 (9 in 40), 4 (9 in 60), 2 (8) -> 1, 2, 3, 4
    // Round 2: 2 (10), 4 (9 in 40), 3 (9 in 60), 1 (8) -> 1, 2, 3, 4
    // Totals: 1 -> 1+4, 2 -> 4+1, 3 -> 2+3, 4 -> 3+2: all 5.
    // Best counted result: 1 and 2 have 10 laps in 50 s; 3 and 4 have 9 in 40 s.
    const auto p = RoundPoints(e, s, 1, 2, 2, false);
    ASSERT_EQ(p.classes.size(), 1u);
    EXPECT_EQ(idsOf(p.classes[0]), (std::vector<int>{1, 2, 3, 4}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.classes[0].lines[i].total, 5);
        EXPECT_EQ(p.classes[0].lines[i].position, i + 1);
    }
    // The best time decides between equal best laps; round 2 keeps its positions.
    e.storeResult(4, 2, 9, 39.0);
    const auto q = RoundPoints(e, s, 1, 2, 2, false);
    EXPECT_EQ(idsOf(q.classes[0]), (std::vector<int>{1, 2, 4, 3}));
}

TEST(RoundPoints, WholeFieldOrderSpansTheClasses) {
    EventData e;
    ProgSettings s;
    driver(e, 1, "A", 2);
    driver(e, 2, "B", 2);
    driver(e, 3, "C", 0);
    driver(e, 4, "D", 5);
    results(e, 1, {{5, 10.0}});
    results(e, 2, {{6, 10.0}});
    results(e, 3, {{1, 10.0}});
    results(e, 4, {{1, 10.0}});
    const auto p = RoundPoints(e, s, 1, 1, 1, false);
    // Totals: 2 -> 1, 3 -> 1, 4 -> 1, 1 -> 2. Equal totals by best laps: 2 (6), then 3 and 4 (1
    // lap in 10 s, by Id).
    const std::vector<int> expected{2, 3, 4, 1};
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(p.wholeField[i], expected[i]);
    EXPECT_EQ(p.wholeField[4], 0);
    EXPECT_EQ(p.classes.size(), 3u);
}

} // namespace
