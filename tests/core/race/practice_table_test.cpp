// The open practice's table, worked out by hand: laps under the minimum, a stop that breaks a
// run, best laps and best runs of 3, the two orders and the CSV bytes.
#include "race/practice_table.h"

#include "files/file_io.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

// Minimum lap 7 s, maximum last lap 30 s, runs of 3 laps.
//   Ann Lee (1001):  crossings at 10, 30, 33 (3 s: no lap), 49, 64, 120 (56 s: she had
//                    stopped), 134, 155, 175: laps 20 19 15 | 14 21 20. Best lap 14 at 134;
//                    best run 20+19+15 = 54 (19+15+14 = 48 spans the stop and is no run).
//   4012345 (nobody's): 12, 29, 46, 63: laps 17 17 17, best 17 at 29 (the first of equals),
//                    run 51.
//   Ray, Bob (2002): 50 only: no lap.
//   777 (nobody's):  15, 31: one lap of 16.
class PracticeTableTest : public ::testing::Test {
  protected:
    PracticeTable table{PracticeRules{7.0, 30.0, 3}, [](int32_t t) -> std::string {
                            return t == 1001 ? "Ann Lee" : t == 2002 ? "Ray, Bob" : "";
                        }};

    // Each crossing in time order, with whether it was a new personal best.
    std::vector<bool> practise() {
        const std::pair<double, int32_t> crossings[] = {
            {10, 1001},  {12, 4012345}, {15, 777},   {29, 4012345}, {30, 1001},    {31, 777},
            {33, 1001},  {46, 4012345}, {49, 1001},  {50, 2002},    {63, 4012345}, {64, 1001},
            {120, 1001}, {134, 1001},   {155, 1001}, {175, 1001}};
        std::vector<bool> best;
        for (const auto& [at, transponder] : crossings)
            best.push_back(table.crossing(transponder, at));
        return best;
    }

    static std::vector<int32_t> order(const std::vector<const PracticeRow*>& rows) {
        std::vector<int32_t> out;
        for (const PracticeRow* r : rows) out.push_back(r->transponder);
        return out;
    }
};

} // namespace

TEST_F(PracticeTableTest, FiguresWorkedOutByHand) {
    const std::vector<bool> best = practise();
    // New bests: Ann's laps at 30, 49, 64 and 134; 4012345's first lap at 29 and its run at 63;
    // 777's lap at 31.
    EXPECT_EQ(best, (std::vector<bool>{false, false, false, true, true, true, false, false, true,
                                       false, true, true, false, true, false, false}));
    const PracticeRow& ann = table.rows()[0];
    EXPECT_EQ(ann.name, "Ann Lee");
    EXPECT_EQ(ann.laps, 6);
    EXPECT_EQ(ann.lastLap, 20.0);
    EXPECT_EQ(ann.bestLap, 14.0);
    EXPECT_EQ(ann.bestLapAt, 134.0);
    EXPECT_EQ(ann.bestRun, 54.0);
    const PracticeRow& unknown = table.rows()[1];
    EXPECT_EQ(unknown.name, "Unknown 4012345");
    EXPECT_EQ(unknown.bestLapAt, 29.0);
    EXPECT_EQ(unknown.bestRun, 51.0);
    EXPECT_EQ(table.rows()[3].laps, 0);
    EXPECT_FALSE(table.rows()[3].bestLap);

    EXPECT_EQ(order(table.sorted(PracticeOrder::BestLap)),
              (std::vector<int32_t>{1001, 777, 4012345, 2002}));
    EXPECT_EQ(order(table.sorted(PracticeOrder::BestRun)),
              (std::vector<int32_t>{4012345, 1001, 777, 2002}));
}

TEST_F(PracticeTableTest, TheCsvBytes) {
    practise();
    const std::string expected =
        "Pos,Transponder,Name,Laps,Last Lap,Best Lap,Best 3 Laps,Best Lap At\r\n"
        "1,1001,Ann Lee,6,20.000,14.000,54.000,134.000\r\n"
        "2,777,Unknown 777,1,16.000,16.000,,31.000\r\n"
        "3,4012345,Unknown 4012345,3,17.000,17.000,51.000,29.000\r\n"
        "4,2002,\"Ray, Bob\",0,,,,\r\n";
    EXPECT_EQ(practiceCsv(table.sorted(PracticeOrder::BestLap), 3), expected);

    test::TempDir dir;
    const auto file = dir.path() / "practice.csv";
    ASSERT_TRUE(savePracticeCsv(file, table.sorted(PracticeOrder::BestLap), 3).ok);
    const auto bytes = readWholeFile(file);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), expected);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "practice.csv.tmp"));
}

TEST(PracticeTable, ARunOfOneLapIsTheBestLapAndEqualRunsKeepTheFirst) {
    PracticeTable table(PracticeRules{7.0, 30.0, 0}, nullptr); // N below 1 counts as 1
    for (double at : {0.0, 20.0, 40.0, 58.0, 76.0}) table.crossing(5, at);
    const PracticeRow& r = table.rows()[0];
    EXPECT_EQ(r.name, "Unknown 5");
    EXPECT_EQ(r.bestRun, 18.0);
    EXPECT_EQ(r.bestLapAt, 58.0);
}
