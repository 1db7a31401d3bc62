#include "output/field_format.h"

#include <gtest/gtest.h>

using namespace vexa;

TEST(FieldFormat, PadLeftAndPadRightFitOrCut) {
    struct Case {
        std::string text;
        int width;
        std::string left, right;
    };
    const Case cases[] = {
        {"7", 3, "  7", "7  "},
        {"abc", 3, "abc", "abc"},
        {"abcdef", 4, "abcd", "abcd"},
        {"", 2, "  ", "  "},
        {"Christopher Montgomery-Smith", 25, "Christopher Montgomery-Sm",
         "Christopher Montgomery-Sm"},
        {"x", 0, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PadLeft(c.text, c.width), c.left) << c.text;
        EXPECT_EQ(PadRight(c.text, c.width), c.right) << c.text;
    }
    EXPECT_EQ(PadLeft(-12, 4), " -12");
    EXPECT_EQ(PadRight(123456, 3), "123");
}

TEST(FieldFormat, FixedRoundsAndWidensButNeverCuts) {
    EXPECT_EQ(fixed(12.3456, 4, 3), "12.346");
    EXPECT_EQ(fixed(1.5, 7, 2), "   1.50");
    EXPECT_EQ(fixed(0.0, 3, 3), "0.000");
    EXPECT_EQ(fixed(1234.5678, 3, 1), "1234.6");
    EXPECT_EQ(fixed(-2.26, 6, 1), "  -2.3");
}
