// The loan transponders' file: its text written by hand, and read tolerantly.
#include "files/house_transponders_file.h"

#include <gtest/gtest.h>

using namespace vexa;

TEST(HouseTranspondersFile, TextAsWrittenAndReadBack) {
    const HouseTransponders list = {
        {2001234, "Club 1", std::nullopt},
        {4012345, "Club 3", TransponderLoan{"Club Day", 12, "Bob Ray", 3301}},
    };
    const std::string text = "[2001234]\r\nLabel=Club 1\r\n"
                             "[4012345]\r\nLabel=Club 3\r\nEvent=Club Day\r\nDriver=12\r\n"
                             "Name=Bob Ray\r\nOwn=3301\r\n";
    EXPECT_EQ(houseTransponderText(list), text);
    EXPECT_EQ(readHouseTransponders(text), list);
}

TEST(HouseTranspondersFile, ReadToleratesWhatAHandEditLeaves) {
    const std::string text = "Label=before any section\n"
                             "[abc]\nLabel=not a number\n"
                             "[0]\nLabel=zero\n"
                             "[ 4012345 ]\n  Label = Club 3 \nEvent=Club Day\n" // no driver
                             "[2001234]\nLabel=Club 1\nDriver=7\nName=Ann\nOwn=x\nEvent=Day 2\n"
                             "[2001234]\nLabel=twice\n"
                             "[3000000";
    const HouseTransponders list = readHouseTransponders(text);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0],
              (HouseTransponder{2001234, "Club 1", TransponderLoan{"Day 2", 7, "Ann", 0}}));
    EXPECT_EQ(list[1], (HouseTransponder{4012345, "Club 3", std::nullopt}));
}

TEST(HouseTranspondersFile, ALineBreakInALabelStaysInItsKey) {
    const HouseTransponders list = {{5, "a\r\n[6]", std::nullopt}};
    const HouseTransponders back = readHouseTransponders(houseTransponderText(list));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].label, "a  [6]");
}
