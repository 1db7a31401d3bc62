#include "timing/p3_decoder_clock.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

// A ProChip decoder's clock, in microseconds.
constexpr uint64_t T0 = 1761855822438228;

TEST(P3DecoderClock, RaceTimesComeFromTheDecodersClock) {
    P3DecoderClock clock;
    EXPECT_FALSE(clock.known());
    EXPECT_FALSE(clock.raceSeconds(T0, 0));
    // The answer to GET_TIME arrives 4 ms after the decoder read its clock; a passing held up
    // by the network 900 ms does not move the relation.
    clock.observe(T0, 10'004);
    clock.observe(T0 + 5'000'000, 15'904);
    ASSERT_TRUE(clock.known());
    // The race started at 12 s on the computer's clock, 1.996 s after T0 on the decoder's.
    EXPECT_EQ(clock.decoderTimeAt(12'000), T0 + 1'996'000);
    EXPECT_DOUBLE_EQ(*clock.raceSeconds(T0 + 1'996'000, 12'000), 0.0);
    EXPECT_DOUBLE_EQ(*clock.raceSeconds(T0, 12'000), -1.996);
    // Lap times are differences of decoder times, to the microsecond.
    const double lap1 = *clock.raceSeconds(T0 + 21'377'733, 12'000);
    const double lap2 = *clock.raceSeconds(T0 + 60'757'238, 12'000);
    EXPECT_NEAR(lap1, 19.381733, 1e-9);
    EXPECT_NEAR(lap2 - lap1, 39.379505, 1e-9);
    // A record that arrived sooner shows the relation was later than thought.
    clock.observe(T0 + 30'000'000, 40'001);
    EXPECT_EQ(clock.decoderTimeAt(12'000), T0 + 1'999'000);
    clock.forget();
    EXPECT_FALSE(clock.decoderTimeAt(12'000));
}

TEST(P3DecoderClock, ClockNeverSetCountsFromPowerUp) {
    P3DecoderClock clock;
    clock.observe(2'842'824'000, 5'000'000); // 47 minutes after power-up
    EXPECT_EQ(clock.decoderTimeAt(5'000'000 - 2'842'824), 0u);
    EXPECT_FALSE(clock.decoderTimeAt(1'000)); // before the decoder's clock began
    // A race started as the decoder was switched on.
    EXPECT_DOUBLE_EQ(*clock.raceSeconds(1'000'000, 5'000'000 - 2'842'824), 1.0);
    // A value beyond any clock is not a time.
    clock.observe(~uint64_t{0}, 0);
    EXPECT_EQ(clock.decoderTimeAt(5'000'000), 2'842'824'000u);
    EXPECT_FALSE(clock.raceSeconds(~uint64_t{0}, 0));
}

TEST(P3DecoderClock, TimeOfDay) {
    EXPECT_EQ(p3TimeOfDay(1437769372993000), "20:22:52.993");
    EXPECT_EQ(p3TimeOfDay(1761855861817733), "20:24:21.817");
    EXPECT_EQ(p3TimeOfDay(2842824000), "00:47:22.824");
    EXPECT_EQ(p3TimeOfDay(0), "00:00:00.000");
}

} // namespace
