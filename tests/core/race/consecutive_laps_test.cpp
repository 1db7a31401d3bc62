#include "base/whole_number.h"
#include "race/consecutive_laps.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {
// A car with `laps` laps of the given durations (the last one repeated), lap times kept for
// laps 1..200 only, as the race engine keeps them.
RaceDriver car(int laps, std::vector<double> durations) {
    RaceDriver d;
    double t = 0;
    for (int n = 1; n <= laps; ++n) {
        const double lap =
            durations[std::min<size_t>(static_cast<size_t>(n - 1), durations.size() - 1)];
        t += lap;
        if (n <= MaxLapTimes) d.laptimes[static_cast<size_t>(n)] = lap;
    }
    d.lapcount = laps;
    d.lastpass = t;
    return d;
}
} // namespace

TEST(ConsecutiveLaps, FastestRunFirstAmongEquals) {
    RaceDriver d = car(8, {20, 20, 18, 17, 17, 18, 20, 20});
    consecutiveLapsResult(d, 5);
    EXPECT_EQ(d.clrlapcount, 5);
    EXPECT_DOUBLE_EQ(d.clrtime, 90.0);
    EXPECT_EQ(d.clrfirstlap, 2);
}

TEST(ConsecutiveLaps, AtMostNLapsIsTheWholeRace) {
    RaceDriver d = car(4, {30, 31, 29, 30});
    consecutiveLapsResult(d, 5);
    EXPECT_EQ(d.clrlapcount, 4);
    EXPECT_DOUBLE_EQ(d.clrtime, 120.0);
    EXPECT_EQ(d.clrfirstlap, 0);
    RaceDriver none = car(0, {1});
    consecutiveLapsResult(none, 5);
    EXPECT_EQ(none.clrlapcount, 0);
    EXPECT_DOUBLE_EQ(none.clrtime, 0.0);
}

TEST(ConsecutiveLaps, BeyondTwoHundredLapsOnlyKeptLapsFormRuns) {
    // Laps 201.. were faster, but their times are not kept: the run is found among 1..200.
    std::vector<double> laps(250, 1.5);
    for (size_t n = 200; n < 250; ++n) laps[n] = 1.0;
    laps[100] = 1.25;
    RaceDriver d = car(250, laps);
    consecutiveLapsResult(d, 3);
    EXPECT_EQ(d.clrlapcount, 3);
    EXPECT_DOUBLE_EQ(d.clrtime, 4.25);
    EXPECT_EQ(d.clrfirstlap, 99);
    // More than 200 laps to count: no run of kept laps is long enough, the whole race counts.
    RaceDriver many = car(250, {1.5});
    consecutiveLapsResult(many, 220);
    EXPECT_EQ(many.clrlapcount, 250);
    EXPECT_DOUBLE_EQ(many.clrtime, 375.0);
    EXPECT_EQ(many.clrfirstlap, 0);
    // A count below 1 counts single laps.
    RaceDriver single = car(3, {20, 18, 19});
    consecutiveLapsResult(single, 0);
    EXPECT_EQ(single.clrlapcount, 1);
    EXPECT_DOUBLE_EQ(single.clrtime, 18.0);
}

TEST(SettingNumbers, WholeNumbersOrTheFallback) {
    EXPECT_EQ(settingNumber("7", 0), 7);
    EXPECT_EQ(settingNumber(" 30 ", 0), 30);
    EXPECT_EQ(settingNumber("-4", 0), -4);
    EXPECT_EQ(settingNumber("", 5), 5);
    EXPECT_EQ(settingNumber("7.5", 5), 5);
    EXPECT_EQ(settingNumber("abc", 60), 60);
    EXPECT_EQ(settingNumber("99999999999", 3), 3);
}
