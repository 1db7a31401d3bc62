#include "output/label_print.h"
#include "output/small_event.h"
#include "support/print_recorder.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

const char* const AnnLabel = "   Id:1   Ann Lee                  \n"
                             "   Heat:1  Car:1 \n"
                             "   Class:1 - Touring             \n"
                             "   Frequency:27.045              \n"
                             "   Club Day                           \n"
                             "   Vexa Free Version:0.14";

} // namespace

TEST(LabelPrint, TableOrderWithoutHeadOnAStandardSheet) {
    const Program p = smallProgram();
    PrintRecorder out;
    std::vector<std::string> messages;
    ASSERT_TRUE(printLabels(out, {p, testIdentity(), testMoment()}, {},
                            [&](const std::string& m) { messages.push_back(m); }));
    const std::string expected = std::string("{Arial 10}") + AnnLabel + "\n\n\n" +
                                 "   Id:2   Bob Stone                \n"
                                 "   Heat:1  Car:2 \n"
                                 "   Class:1 - Touring             \n"
                                 "   Frequency:27.095              \n"
                                 "   Club Day                           \n"
                                 "   Vexa Free Version:0.14\n\n\n"
                                 "   Id:3   Christopher Montgomery Jr\n"
                                 "   Heat:2  Car:3 \n"
                                 "   Class:2 - Buggy               \n"
                                 "   Frequency:Not Req/2.4Ghz      \n"
                                 "   Club Day                           \n"
                                 "   Vexa Free Version:0.14\n\n\n"
                                 "   Id:2   Bob Stone                \n"
                                 "   Heat:4  Car:1 \n"
                                 "   Class:1 - Touring             \n"
                                 "   Frequency:27.095              \n"
                                 "   Club Day                           \n"
                                 "   Vexa Free Version:0.14\n\n\n";
    EXPECT_EQ(out.transcript, expected);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(out.closed, 1);
}

TEST(LabelPrint, EverySeventhLabelFeedsThePage) {
    Program p = smallProgram();
    for (int race = 1; race <= 8; ++race) p.event.finals.setSlotText(race, 1, "1");
    struct Case {
        bool printThenFeed;
        std::string separators; // after each of the eight labels: F feed, L three line ends
    };
    for (const Case& c : {Case{false, "LLLLLLFL"}, Case{true, "FFFFFFFF"}}) {
        PrintRecorder out;
        ASSERT_TRUE(
            printLabels(out, {p, testIdentity(), testMoment()}, {true, c.printThenFeed}, nullptr));
        std::string seen;
        const std::string end = "Version:0.14";
        for (size_t at = out.transcript.find(end); at != std::string::npos;
             at = out.transcript.find(end, at + 1)) {
            const std::string after = out.transcript.substr(at + end.size(), 4);
            seen += after == "<FF>" ? "F" : after.substr(0, 3) == "\n\n\n" ? "L" : "?";
        }
        EXPECT_EQ(seen, c.separators);
    }
}

TEST(LabelPrint, CarNumberOrderAsksForTheStockOfEachCarNumber) {
    const Program p = smallProgram();
    PrintRecorder out;
    std::vector<std::string> messages;
    ASSERT_TRUE(printLabels(out, {p, testIdentity(), testMoment()}, {false, false, true},
                            [&](const std::string& m) { messages.push_back(m); }));
    EXPECT_EQ(messages, (std::vector<std::string>{"Ready to print 2* car number :1's",
                                                  "Ready to print 1* car number :2's",
                                                  "Ready to print 1* car number :3's"}));
    std::vector<std::string> order;
    for (size_t at = out.transcript.find("Heat:"); at != std::string::npos;
         at = out.transcript.find("Heat:", at + 1))
        order.push_back(out.transcript.substr(at, 14));
    EXPECT_EQ(order, (std::vector<std::string>{"Heat:1  Car:1 ", "Heat:4  Car:1 ", "Heat:1  Car:2 ",
                                               "Heat:2  Car:3 "}));
    EXPECT_EQ(out.transcript.substr(0, 10 + std::string(AnnLabel).size()),
              std::string("{Arial 10}") + AnnLabel);
}

TEST(LabelPrint, AJobThatCannotOpenPrintsNothing) {
    const Program p = smallProgram();
    PrintRecorder out;
    out.refuseOpen = true;
    const Outcome result = printLabels(out, {p, testIdentity(), testMoment()}, {}, nullptr);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.message, "No printer");
    EXPECT_EQ(out.transcript, "");
}
