#include "race/text_formats.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vexa;

TEST(TextFormats, Clock) {
    EXPECT_EQ(FormatClock(3725), "01:02:05");
    EXPECT_EQ(FormatClock(0), "00:00:00");
    EXPECT_EQ(FormatClock(-5), "00:00:00");
    EXPECT_EQ(FormatClock(59), "00:00:59");
    EXPECT_EQ(FormatClock(360000), "100:00:00");
}

TEST(TextFormats, SecondsAndGaps) {
    EXPECT_EQ(FormatSeconds(12.5), " 12.50");
    EXPECT_EQ(FormatSeconds(3.5), "  3.50");
    EXPECT_EQ(FormatSeconds(0), "  0.00");
    EXPECT_EQ(FormatSeconds(1234.567), "1234.57");
    EXPECT_EQ(FormatSeconds(-2.25), " -2.25");
    // Rounding follows the binary value: exact ties go to the even digit, near-ties to the side
    // the value lies on.
    EXPECT_EQ(FormatSeconds(20.125), " 20.12");
    EXPECT_EQ(FormatSeconds(20.375), " 20.38");
    EXPECT_EQ(FormatSeconds(0.005), "  0.01"); // stored a little above 0.005
    EXPECT_EQ(FormatSeconds(1.005), "  1.00"); // stored a little below 1.005
    EXPECT_EQ(FormatSeconds(-0.001), " -0.00");
    EXPECT_EQ(FormatSeconds(99.999), "100.00");
    EXPECT_EQ(FormatSeconds(1e13), "10000000000000.00");

    EXPECT_EQ(FormatLapGap(0), "");
    EXPECT_EQ(FormatLapGap(1), "1 Lap");
    EXPECT_EQ(FormatLapGap(-1), "-1 Lap");
    EXPECT_EQ(FormatLapGap(-2), "-2 Laps");
    EXPECT_EQ(FormatLapGap(12), "12 Laps");
}

TEST(TextFormats, Speed) {
    EXPECT_EQ(FormatSpeed(0, 30, 0.1), "0.00");
    EXPECT_EQ(FormatSpeed(3, 0, 0.1), "0.00");
    EXPECT_EQ(FormatSpeed(3, 30, 0), "0.00");
    // 10 laps of 0.1 mile in 60 s: 60 mph.
    EXPECT_EQ(FormatSpeed(10, 60, 0.1), " 60.00");
}

TEST(TextFormats, LapTime) {
    EXPECT_EQ(FormatLapTime(65.432), "1m05.432");
    EXPECT_EQ(FormatLapTime(3725.5), "1h02m05.500");
    EXPECT_EQ(FormatLapTime(4210.25), "1h10m10.250");
    EXPECT_EQ(FormatLapTime(5.4), "0m05.400");
    EXPECT_EQ(FormatLapTime(0), "NO TIME");
    EXPECT_EQ(FormatLapTime(-1), "NO TIME");
    // A time no race can hold, as a damaged results file gives it, is no time.
    EXPECT_EQ(FormatLapTime(LongestTimeShown), "2777h46m40.000");
    for (double damaged :
         {3.6e35, LongestTimeShown * 1.0000001, 1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(FormatLapTime(damaged), "NO TIME") << damaged;
}
