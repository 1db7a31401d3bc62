#include "timing/decoder_clock_origin.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vexa;

namespace {

// A race whose clock started at the clock's millisecond 61000, its decoder restarted at the
// set-up point (31000) and as the race started.
constexpr int64_t StartMs = 61'000;
constexpr int64_t SetUpMs = 31'000;

TEST(DecoderClockOrigin, RestartedWithTheRaceDecoderTimesAreRaceTimes) {
    DecoderClockOrigin origin;
    EXPECT_DOUBLE_EQ(origin.raceSeconds(12.345, StartMs + 12'400, StartMs), 12.345); // none known
    origin.restarted(SetUpMs);
    origin.restarted(StartMs + 3); // the same moment as the start, a few milliseconds apart
    EXPECT_DOUBLE_EQ(origin.raceSeconds(40.021, StartMs + 40'100, StartMs), 40.021);
    // A record arriving late keeps its time.
    EXPECT_DOUBLE_EQ(origin.raceSeconds(40.021, StartMs + 90'000, StartMs), 40.021);
}

TEST(DecoderClockOrigin, UnsureTheFirstRecordChoosesAmongTheRestarts) {
    struct Case {
        const char* name;
        std::vector<int64_t> restarts;
        std::optional<int64_t> possible;
        double decoder; // the first record's decoder time
        int64_t arrival;
        double raceTime; // of it
    };
    const Case cases[] = {
        {"the clock runs from the start", {SetUpMs, StartMs}, {}, 150.2, StartMs + 150'300, 150.2},
        {"a record that came late is not made anew",
         {SetUpMs, StartMs},
         {},
         150.2,
         StartMs + 190'000,
         150.2},
        {"stopped before the start: the clock runs from the set-up",
         {SetUpMs, StartMs},
         {},
         180.2,
         StartMs + 150'300,
         150.2},
        {"a System 20 line that dropped: restarted as the port opened",
         {SetUpMs, StartMs},
         StartMs + 200'000,
         5.5,
         StartMs + 205'600,
         205.5},
        {"a clock that runs from a restart the program never saw: made when it arrived",
         {StartMs},
         {},
         4000.0,
         StartMs + 150'500,
         150.5},
    };
    for (const Case& c : cases) {
        DecoderClockOrigin origin;
        for (int64_t r : c.restarts) origin.restarted(r);
        origin.unsure(c.possible);
        EXPECT_NEAR(origin.raceSeconds(c.decoder, c.arrival, StartMs), c.raceTime, 1e-9) << c.name;
        EXPECT_FALSE(origin.isUnsure()) << c.name;
        // Decided once: later records keep to it.
        EXPECT_NEAR(origin.raceSeconds(c.decoder + 60, c.arrival + 60'500, StartMs),
                    c.raceTime + 60, 1e-9)
            << c.name;
    }
}

} // namespace
