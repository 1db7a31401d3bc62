#include "ports/race_timer.h"
#include "race/virtual_time.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexa;

TEST(VirtualTime, TimersFireInTimeOrderAndTiesInStartOrder) {
    VirtualClock clock;
    VirtualScheduler scheduler(clock);
    std::vector<std::string> fired;
    RaceTimer second(scheduler, true,
                     [&] { fired.push_back("1000@" + std::to_string(clock.milliseconds())); });
    RaceTimer half(scheduler, true,
                   [&] { fired.push_back("500@" + std::to_string(clock.milliseconds())); });
    RaceTimer once(scheduler, false,
                   [&] { fired.push_back("once@" + std::to_string(clock.milliseconds())); });
    second.start(1000);
    half.start(500);
    once.start(1000);
    scheduler.advanceTo(2000);
    // Ties go in the order the timers were (re)scheduled.
    EXPECT_EQ(fired, (std::vector<std::string>{"500@500", "1000@1000", "once@1000", "500@1000",
                                               "500@1500", "1000@2000", "500@2000"}));
    EXPECT_FALSE(once.running());
    EXPECT_EQ(clock.milliseconds(), 2000);
}

TEST(VirtualTime, ACallbackMayStopOrRestartTimers) {
    VirtualClock clock;
    VirtualScheduler scheduler(clock);
    int ticks = 0;
    RaceTimer other(scheduler, true, [&] { ++ticks; });
    RaceTimer self(scheduler, true, [&] {
        other.stop();
        self.stop();
    });
    other.start(1000);
    self.start(1000); // due at the same moment, started later: fires after `other`
    scheduler.advanceTo(10000);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(scheduler.runningTimers(), 0u);

    RaceTimer restart(scheduler, false, [&] { ++ticks; });
    restart.start(300);
    scheduler.advanceBy(200);
    restart.start(300); // restarting moves the firing to 300 ms from now
    scheduler.advanceBy(250);
    EXPECT_EQ(ticks, 1);
    scheduler.advanceBy(50);
    EXPECT_EQ(ticks, 2);
}
