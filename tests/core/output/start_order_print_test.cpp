#include "output/small_event.h"
#include "output/start_order_print.h"
#include "support/print_recorder.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

// Round 1: Ann 10 laps 300.0 s, Bob 11 laps 305.0 s; round 2: Ann 12 laps 310.0 s, Bob did not
// run. Christopher never ran.
Program startOrderEvent() {
    Program p = smallProgram();
    p.event.storeResult(1, 1, 10, 300.0);
    p.event.storeResult(2, 1, 11, 305.0);
    p.event.storeResult(1, 2, 12, 310.0);
    return p;
}

} // namespace

TEST(StartOrderPrint, ByBestRoundWithUnjudgedDriversInSlotOrder) {
    const Program p = startOrderEvent();
    PrintRecorder out;
    ASSERT_TRUE(printStartOrder(out, {p, testIdentity(), testMoment()}, 2));
    EXPECT_EQ(out.transcript, std::string(SmallEventHead) +
                                  "{Arial 20}START ORDER FOR ROUND 3\n"
                                  "\n"
                                  "{Arial 12}Heat: 1    Start Order....      1   2\n"
                                  "\n"
                                  "Heat: 2    Start Order....      3\n"
                                  "\n"
                                  "Heat: 4    Start Order....      1\n");
}

TEST(StartOrderPrint, ByLastRoundLeavesOffWhoDidNotRunAndPrintsNames) {
    Program p = startOrderEvent();
    p.settings.staggerOrderLast = true;
    p.settings.startOrderNames = true;
    PrintRecorder out;
    ASSERT_TRUE(printStartOrder(out, {p, testIdentity(), testMoment()}, 2));
    EXPECT_EQ(out.transcript, std::string(SmallEventHead) +
                                  "{Arial 20}START ORDER FOR ROUND 3\n"
                                  "\n"
                                  "{Arial 12}Heat: 1    Start Order....   \n"
                                  "{Arial 10} 1  Car 1     Ann Lee\n"
                                  "\n"
                                  "{Arial 12}Heat: 2    Start Order....   \n"
                                  "\n"
                                  "Heat: 4    Start Order....   \n");
}

TEST(StartOrderPrint, OrderWithinAHeat) {
    Program p = smallProgram();
    // Heat 7: slots 2, 5, 9 and 12. Round 1 results decide, equal results keep slot order; a
    // driver without any lap follows in slot order.
    for (int id = 10; id <= 13; ++id) p.event.competitor(id).name = "D" + std::to_string(id);
    p.event.heats.setSlotText(7, 2, "10");
    p.event.heats.setSlotText(7, 5, "11");
    p.event.heats.setSlotText(7, 9, "12");
    p.event.heats.setSlotText(7, 12, "13");
    p.event.storeResult(10, 1, 9, 290.0);
    p.event.storeResult(11, 1, 0, 0.0);
    p.event.storeResult(12, 1, 9, 280.5);
    p.event.storeResult(13, 1, 9, 280.5);
    EXPECT_EQ(heatStartOrder(p, 7, 1), (std::vector<int>{9, 12, 2, 5}));
    EXPECT_EQ(heatStartOrder(p, 7, 0), (std::vector<int>{2, 5, 9, 12}));
    p.settings.staggerOrderLast = true;
    EXPECT_EQ(heatStartOrder(p, 7, 1), (std::vector<int>{9, 12, 2, 5}));
    EXPECT_EQ(heatStartOrder(p, 7, 2), std::vector<int>{});
}
