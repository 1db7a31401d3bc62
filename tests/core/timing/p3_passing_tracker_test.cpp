#include "timing/p3_passing_tracker.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vexa;

namespace {

using V = P3PassingVerdict;
using Ranges = std::vector<P3NumberRange>;

// Passings a second apart on the decoder's clock, numbered as given.
struct Decoder {
    P3PassingTracker tracker;
    std::vector<V> receive(std::initializer_list<uint32_t> numbers) {
        std::vector<V> verdicts;
        for (uint32_t n : numbers) verdicts.push_back(tracker.receive(n, timeOf(n)));
        return verdicts;
    }
    static uint64_t timeOf(uint32_t number) {
        return 1'700'000'000'000'000 + number * 1'000'000ull;
    }
};

TEST(P3PassingTracker, ConsecutivePassingsLeaveNoGap) {
    Decoder d;
    EXPECT_FALSE(d.tracker.last());
    EXPECT_EQ(d.receive({711880, 711881, 711882}), (std::vector<V>{V::New, V::New, V::New}));
    EXPECT_EQ(d.tracker.last(), 711882u);
    EXPECT_TRUE(d.tracker.gaps().empty());
    EXPECT_FALSE(d.tracker.takeResend());
}

TEST(P3PassingTracker, GapIsAskedForAndEachMissingPassingCountsOnce) {
    Decoder d;
    d.receive({10, 11, 15});
    EXPECT_EQ(d.tracker.gaps(), (Ranges{{12, 14}}));
    EXPECT_EQ(d.tracker.missing(), 3u);
    // One beyond each end, so that the gap is covered whether the ends are included or not.
    EXPECT_EQ(d.tracker.takeResend(), (P3NumberRange{11, 15}));
    EXPECT_FALSE(d.tracker.takeResend()); // asked already
    // The decoder sends 11 to 15 again, and 13 once more.
    EXPECT_EQ(d.receive({11, 12, 13, 14, 15, 13}),
              (std::vector<V>{V::Repeat, V::Recovered, V::Recovered, V::Recovered, V::Repeat,
                              V::Repeat}));
    EXPECT_EQ(d.tracker.recovered(), 3u);
    EXPECT_EQ(d.tracker.repeats(), 3u);
    EXPECT_TRUE(d.tracker.gaps().empty());
    EXPECT_EQ(d.tracker.last(), 15u);
    EXPECT_EQ(d.receive({16}), (std::vector<V>{V::New}));
}

TEST(P3PassingTracker, GapsSplitAndAreAskedAgainOnANewLink) {
    Decoder d;
    d.receive({100, 110, 113});
    EXPECT_EQ(d.tracker.gaps(), (Ranges{{101, 109}, {111, 112}}));
    EXPECT_EQ(d.tracker.takeResend(), (P3NumberRange{100, 113}));
    // Only part comes back before the link breaks.
    EXPECT_EQ(d.receive({105, 101, 109}),
              (std::vector<V>{V::Recovered, V::Recovered, V::Recovered}));
    EXPECT_EQ(d.tracker.gaps(), (Ranges{{102, 104}, {106, 108}, {111, 112}}));
    // A new gap opens on the same link: only it is asked for.
    d.receive({120});
    EXPECT_EQ(d.tracker.takeResend(), (P3NumberRange{113, 120}));
    EXPECT_FALSE(d.tracker.takeResend());
    // On the new link everything still missing is asked again.
    d.tracker.linkRestored();
    EXPECT_EQ(d.tracker.takeResend(), (P3NumberRange{101, 120}));
    EXPECT_EQ(d.tracker.missing(), 3u + 3u + 2u + 6u);
}

TEST(P3PassingTracker, NewNumberingIsNotMistakenForRepeats) {
    Decoder d;
    d.receive({500, 501, 503});
    const uint64_t newest = Decoder::timeOf(503);
    // Two passings close together may carry their times out of order: still a repeat.
    EXPECT_EQ(d.tracker.receive(501, newest + 800'000), V::Repeat);
    // The decoder's passings were cleared: number 1 comes a minute after the newest passing.
    EXPECT_EQ(d.tracker.receive(1, newest + 60'000'000), V::New);
    EXPECT_EQ(d.tracker.last(), 1u);
    EXPECT_TRUE(d.tracker.gaps().empty());
    EXPECT_EQ(d.tracker.receive(2, newest + 61'000'000), V::New);
    EXPECT_EQ(d.tracker.receive(2, newest + 61'000'000), V::Repeat);
    // A jump far ahead is a numbering of its own, not thousands of missing passings.
    EXPECT_EQ(d.tracker.receive(2 + P3PassingTracker::MaxGap + 2, newest + 62'000'000), V::New);
    EXPECT_TRUE(d.tracker.gaps().empty());
    // Another decoder: start again.
    d.tracker.restart();
    EXPECT_EQ(d.tracker.receive(40, 5), V::New);
    EXPECT_TRUE(d.tracker.gaps().empty());
}

TEST(P3PassingTracker, TooManyGapsGiveUpTheOldest) {
    Decoder d;
    d.receive({1});
    for (uint32_t n = 3; n <= 3 + 2 * P3PassingTracker::MaxGaps; n += 2) d.receive({n});
    // 65 gaps of one passing each: the first (2) is given up.
    EXPECT_EQ(d.tracker.gaps().size(), P3PassingTracker::MaxGaps);
    EXPECT_EQ(d.tracker.gaps().front(), (P3NumberRange{4, 4}));
    EXPECT_EQ(d.tracker.abandoned(), 1u);
    EXPECT_EQ(d.receive({2}), (std::vector<V>{V::Repeat}));
}

} // namespace

namespace {

TEST(P3PassingTracker, GapsGivenUpHoldNothingUpButArriveLateOnce) {
    Decoder d;
    d.receive({10, 13, 20});
    EXPECT_EQ(d.tracker.firstMissing(), 11u);
    EXPECT_EQ(d.receive({11}), (std::vector<V>{V::Recovered}));
    EXPECT_EQ(d.tracker.firstMissing(), 12u);
    EXPECT_EQ(d.tracker.abandonGaps(), 1u + 6u);
    EXPECT_FALSE(d.tracker.firstMissing());
    EXPECT_EQ(d.tracker.missing(), 0u);
    EXPECT_EQ(d.tracker.abandoned(), 7u);
    // Late, but each once.
    EXPECT_EQ(d.receive({12, 15, 21, 15}),
              (std::vector<V>{V::Recovered, V::Recovered, V::New, V::Repeat}));
    EXPECT_EQ(d.tracker.gaps(), (Ranges{{14, 14}, {16, 19}}));
    // Still asked for, and again on a new link.
    EXPECT_EQ(d.tracker.takeResend(), (P3NumberRange{13, 20}));
    EXPECT_FALSE(d.tracker.takeResend());
    d.tracker.linkRestored();
    EXPECT_EQ(d.tracker.takeResend(), (P3NumberRange{13, 20}));
}

} // namespace

TEST(P3PassingTracker, PassingsKnownToExistAreMissingUpToTheNewest) {
    Decoder d;
    d.tracker.missingUpTo(20, Decoder::timeOf(20)); // nothing to ask on from yet
    EXPECT_FALSE(d.tracker.last());
    d.receive({10, 11});
    d.tracker.missingUpTo(11, Decoder::timeOf(11)); // nothing after the last
    d.tracker.missingUpTo(11 + P3PassingTracker::MaxGap + 1, Decoder::timeOf(1)); // new numbering
    EXPECT_TRUE(d.tracker.gaps().empty());

    // The newest known is 14 s after the last received, beyond the margin of a new numbering.
    d.tracker.missingUpTo(25, Decoder::timeOf(25));
    EXPECT_EQ(d.tracker.gaps(), (Ranges{{12, 25}}));
    EXPECT_EQ(d.tracker.last(), 25u);
    EXPECT_EQ(d.tracker.takeResend(), (P3NumberRange{11, 26}));
    EXPECT_EQ(d.receive({25, 12, 26, 25}),
              (std::vector<V>{V::Recovered, V::Recovered, V::New, V::Repeat}));
    EXPECT_EQ(d.tracker.gaps(), (Ranges{{13, 24}}));
}
