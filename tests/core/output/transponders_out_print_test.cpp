#include "output/small_event.h"
#include "output/transponders_out_print.h"
#include "support/print_recorder.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

TEST(TranspondersOutPrint, OneLineALoanAndASayWhenAllAreBack) {
    const Program p = smallProgram();
    const std::vector<HouseTransponder> lent = {
        {2001234, "Club 1", TransponderLoan{"Club Day", 7, "Ann Lee", 0}},
        {4012345, "A long label for club 3", TransponderLoan{"Club Day", 3, "Bob Ray", 3301}},
    };
    PrintRecorder out;
    ASSERT_TRUE(printTranspondersOut(out, {p, testIdentity(), testMoment()}, lent));
    EXPECT_EQ(out.transcript,
              std::string(SmallEventHead) +
                  "{Arial 12 b}Transponders out\n"
                  "\n"
                  "{Courier New 10}Transponder Label           Driver                    Event\n"
                  "2001234     Club 1          Ann Lee                   Club Day\n"
                  "4012345     A long label fo Bob Ray                   Club Day\n");
    EXPECT_EQ(out.closed, 1);

    PrintRecorder none;
    ASSERT_TRUE(printTranspondersOut(none, {p, testIdentity(), testMoment()}, {}));
    EXPECT_NE(none.transcript.find("Every loan transponder is back\n"), std::string::npos);
}
