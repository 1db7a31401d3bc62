#include "journal/resumable_time.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexa;

// Live time is a virtual clock here too, so that every firing can be told.
TEST(ResumableTime, ReplayedTimersCarryOnLiveWithTheTimeTheyHadLeft) {
    VirtualClock liveClock;
    VirtualScheduler live(liveClock);
    ResumableTime time(liveClock, live);
    std::vector<std::string> fired;
    const auto note = [&](const char* what) {
        return [&, what] {
            fired.push_back(std::string(what) + "@" + std::to_string(time.milliseconds()));
        };
    };

    liveClock.set(5000);
    const TimerId before = time.startTimer(10'000, true, note("live")); // started before the replay
    time.beginReplay(1000);
    EXPECT_EQ(time.milliseconds(), 1000);
    const TimerId tick = time.startTimer(500, true, note("tick"));
    time.startTimer(1700, false, note("once"));
    time.advanceTo(2200);
    EXPECT_EQ(fired, (std::vector<std::string>{"tick@1500", "tick@2000"}));
    EXPECT_EQ(live.runningTimers(), 1u); // replayed timers wait on the replay's time

    fired.clear();
    time.goLive(); // the clock goes on from 2200
    EXPECT_EQ(time.milliseconds(), 2200);
    live.advanceBy(1300);
    EXPECT_EQ(time.milliseconds(), 3500);
    EXPECT_EQ(fired,
              (std::vector<std::string>{"tick@2500", "once@2700", "tick@3000", "tick@3500"}));

    fired.clear();
    time.stopTimer(tick);
    time.stopTimer(before);
    live.advanceBy(20'000);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(live.runningTimers(), 0u);
}

TEST(ResumableTime, WithoutAReplayItIsTheLiveTime) {
    VirtualClock liveClock;
    VirtualScheduler live(liveClock);
    int fired = 0;
    {
        ResumableTime time(liveClock, live);
        time.startTimer(100, true, [&] { ++fired; });
        live.advanceBy(350);
        EXPECT_EQ(time.milliseconds(), 350);
        EXPECT_EQ(fired, 3);
    }
    live.advanceBy(1000); // its timers go with it
    EXPECT_EQ(fired, 3);
}
