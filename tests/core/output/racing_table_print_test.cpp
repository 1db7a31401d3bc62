#include "output/racing_table_print.h"
#include "output/small_event.h"
#include "support/print_recorder.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

TEST(RacingTablePrint, HeatsWithFrequenciesAndTransponderLetters) {
    Program p = smallProgram();
    p.settings.tranLetters = true;
    PrintRecorder out;
    ASSERT_TRUE(printRacingTable(out, {p, testIdentity(), testMoment()}, {}));
    const std::string header =
        "{Courier New 10 bu}Car -Id-Name                     -Class               -Transp   "
        "-Mem.No-Frequency\n";
    EXPECT_EQ(out.transcript,
              std::string(SmallEventHead) + "{Arial 15}Heat:1 (Touring             ) Minutes: 5\n" +
                  header +
                  "{Courier New 10}"
                  "  1   1 Ann Lee                   Touring              1234567       M1 27.045\n"
                  "  2   2 Bob Stone                 Touring              B            M22 27.095\n"
                  "\n"
                  "{Arial 15}Heat:2 (Buggy               ) Minutes: 6\n" +
                  header +
                  "{Courier New 10}"
                  "  3   3 Christopher Montgomery Jr Buggy                M         123456 "
                  "Not Req/2.4Ghz\n"
                  "\n"
                  "{Arial 15}Heat:4 (Touring             ) Minutes: 5\n" +
                  header +
                  "{Courier New 10}"
                  "  1   2 Bob Stone                 Touring              K            M22 27.095\n"
                  "\n");
    EXPECT_EQ(out.opened, 1);
    EXPECT_EQ(out.closed, 1);
}

TEST(RacingTablePrint, FinalsMarkChangedFrequencyAndKeepToTheRange) {
    Program p = smallProgram();
    p.event.finals.setInfo(2, "1/A");
    p.event.finals.setSlotText(2, 1, "2");
    p.event.finals.setSlotText(2, 4, "1");
    p.event.finals.setInfo(3, "1/C");
    p.event.finals.setSlotText(3, 1, "1");
    p.event.finals.setSlotText(9, 1, "1"); // outside the range
    PrintRecorder out;
    ASSERT_TRUE(printRacingTable(out, {p, testIdentity(), testMoment()}, {true, 1, 8, true}));
    const std::string header =
        "{Courier New 10 bu}Car -Id-Name                     -Class               -Transp   "
        "-Mem.No-Frequency\n";
    EXPECT_EQ(
        out.transcript,
        std::string(SmallEventHead) + "{Arial 15}A Final:2  Touring             Minutes: 8\n" +
            header +
            "{Courier New 10}"
            "  1   2 Bob Stone                 Touring                           M22 * 27.145\n"
            "  4   1 Ann Lee                   Touring              1234567       M1  27.045\n"
            "\n"
            "{Arial 15}C Final:3  Touring             Minutes: 4\n" +
            header +
            "{Courier New 10}"
            "  1   1 Ann Lee                   Touring              1234567       M1  27.045\n"
            "\n");
}
