#include "output/final_results_report.h"
#include "output/ftd_report.h"
#include "output/points_report.h"
#include "output/small_event.h"
#include "support/print_recorder.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

// The small event with Dan Hill (Id 5) and Eve Moss (Id 6) added to class 1 and two rounds run:
//   round 1: Ann 10 laps 300.0, Bob 10 laps 300.0, Dan 10 laps 301.2, Eve 0 laps, Chris 8 laps
//            290.0
//   round 2: Ann 12 laps 310.5, Bob 11 laps 305.25; Dan, Eve and Chris did not run
Program twoRounds() {
    Program p = smallProgram();
    p.settings.roundNumber = 2;
    p.event.competitor(5).name = "Dan Hill";
    p.event.competitor(5).classno = 1;
    p.event.competitor(6).name = "Eve Moss";
    p.event.competitor(6).classno = 1;
    p.event.storeResult(1, 1, 10, 300.0);
    p.event.storeResult(2, 1, 10, 300.0);
    p.event.storeResult(5, 1, 10, 301.2);
    p.event.storeResult(6, 1, 0, 0.0);
    p.event.storeResult(3, 1, 8, 290.0);
    p.event.storeResult(1, 2, 12, 310.5);
    p.event.storeResult(2, 2, 11, 305.25);
    return p;
}

} // namespace

TEST(PointsReport, TotalsOverCountedRoundsWithSharedRoundPositions) {
    const Program p = twoRounds();
    PrintRecorder out;
    ASSERT_TRUE(printPointsReport(out, {p, testIdentity(), testMoment()}, 1, 2, 2, false));
    const std::string columns =
        "{Courier New 10 bu}Pos -Name                    -Points   -Laps     -Time "
        "-Round Points.....\n";
    EXPECT_EQ(out.transcript,
              std::string(SmallEventHead) + "{Arial 20}Points(Rounds:1-2)Counting 2 Round(s)\n" +
                  "\n"
                  "{Arial 15}Class:(Touring             ) Drivers:4\n" +
                  columns +
                  "{Courier New 10}"
                  "  1Ann Lee                        2    12    310.500    1   1 \n"
                  "  2Bob Stone                      3    11    305.250    1   2 \n"
                  "  3Dan Hill                       5    10    301.200    2   3 \n"
                  "\n"
                  "{Arial 15}Class:(Buggy               ) Drivers:1\n" +
                  columns +
                  "{Courier New 10}"
                  "  1Christopher Montgomery Jr      2     8    290.000    1   1 \n");
    EXPECT_EQ(out.closed, 1);
}

TEST(FtdReport, BestRoundOrderWithDriversWithoutScoresLast) {
    const Program p = twoRounds();
    PrintRecorder out;
    ASSERT_TRUE(PrintFTDResults(out, {p, testIdentity(), testMoment()}, 1, 2, true));
    const std::string columns =
        "{Courier New 10 bu}Pos -id-Name                        -Laps        -Time-BR-Pos\n";
    EXPECT_EQ(out.transcript,
              std::string(SmallEventHead) + "{Arial 20}FTD Results (Round:2)\n" +
                  "\n"
                  "{Arial 15}Class:(Touring             ) Drivers:4\n" +
                  columns +
                  "{Courier New 10}"
                  "  1  1 Ann Lee                      12      5m10.500   2   1 \n"
                  "  2  2 Bob Stone                    11      5m05.250   2   2 \n"
                  "  3  5 Dan Hill                     10      5m01.200   1   3 \n"
                  "  4  6 Eve Moss                      0       NO TIME   0   4 \n"
                  "\n"
                  "{Arial 15}Class:(Buggy               ) Drivers:1\n" +
                  columns +
                  "{Courier New 10}"
                  "  1  3 Christopher Montgomery Jr     8      4m50.000   1   1 \n");
}

TEST(FinalResultsReport, EachFinalRankedByTheChosenRound) {
    Program p = twoRounds();
    p.event.finals.setInfo(1, "1/A");
    p.event.finals.setSlotText(1, 1, "2");
    p.event.finals.setSlotText(1, 2, "1");
    p.event.finals.setSlotText(1, 3, "5");
    p.event.finals.setInfo(3, "2/A");
    p.event.finals.setSlotText(3, 1, "3");
    PrintRecorder out;
    ASSERT_TRUE(PrintFinalResults(out, {p, testIdentity(), testMoment()}, 1, 3, 2));
    const std::string columns =
        "{Courier New 10 bu}Pos-Car    -Laps      -Time  -Name                     -Mem.No";
    EXPECT_EQ(
        out.transcript,
        std::string(SmallEventHead) + "\n" + "{Arial 20}A Final:1 (Touring             \n" +
            columns +
            "\n"
            "{Courier New 10}  1   2      12    5m10.500   Ann Lee                   M1     \n"
            "  2   1      11    5m05.250   Bob Stone                 M22    \n"
            "\n"
            "{Arial 20}A Final:3 (Buggy               \n" +
            columns + "\n");

    PrintRecorder none;
    ASSERT_TRUE(PrintFinalResults(none, {p, testIdentity(), testMoment()}, 4, 9, 2));
    EXPECT_EQ(none.transcript, SmallEventHead);
}
