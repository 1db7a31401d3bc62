// How the live results server shares its places between addresses once all are taken.
#include "live/live_places.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

// n places of one address, waiting or not, the first opened at `since` and one a ms after.
void add(std::vector<LivePlace>& places, const char* address, int n, bool waiting, int since) {
    for (int i = 0; i < n; ++i) places.push_back({address, waiting, since + i});
}

} // namespace

TEST(LivePlaces, WhoGivesWayToANewcomer) {
    struct Case {
        const char* what;
        std::vector<LivePlace> places;
        const char* newcomer;
        std::optional<size_t> freed;
    };
    std::vector<Case> cases;
    {
        // 8 trickled requests of one address hold every place: a phone elsewhere, and one
        // behind the same address, each take the one that has waited longest.
        std::vector<LivePlace> p;
        add(p, "10.0.0.9", 8, true, 100);
        cases.push_back({"trickling, phone elsewhere", p, "10.0.0.2", 0});
        cases.push_back({"trickling, phone at the same address", p, "10.0.0.9", 0});
    }
    {
        // Streams of one address and streams of another: the newcomer of a third address takes
        // the oldest of the address holding the most.
        std::vector<LivePlace> p;
        add(p, "10.0.0.7", 3, false, 50);
        add(p, "10.0.0.8", 5, false, 100);
        cases.push_back({"streams, newcomer elsewhere", p, "10.0.0.2", 3});
        // A newcomer of the busiest address is refused: its streams keep their places.
        cases.push_back({"streams, newcomer of the busiest", p, "10.0.0.8", std::nullopt});
        // A newcomer of the other takes from the busiest: both hold four then.
        cases.push_back({"streams, newcomer of the other", p, "10.0.0.7", 3});
    }
    {
        // A waiting place gives way before any stream, from the busiest address that waits.
        std::vector<LivePlace> p;
        add(p, "10.0.0.8", 5, false, 10);
        add(p, "10.0.0.6", 2, true, 300);
        add(p, "10.0.0.5", 1, true, 20);
        cases.push_back({"waiting before streams", p, "10.0.0.2", 5});
        // ... but not from an address holding fewer places than the newcomer's.
        cases.push_back({"waiting of a smaller address", p, "10.0.0.8", std::nullopt});
        cases.push_back({"waiting of an equal address", p, "10.0.0.6", 5});
    }
    {
        // Every address holds one place: none gives way to another.
        std::vector<LivePlace> p;
        for (int i = 0; i < 6; ++i) p.push_back({"10.0.1." + std::to_string(i), false, i});
        cases.push_back({"one each", p, "10.0.0.2", std::nullopt});
        p[4].waiting = true;
        cases.push_back({"one each, one kept open for nothing", p, "10.0.0.2", 4});
    }
    {
        // Phones behind one access point may take every place; only their waiting
        // connections give way to one of their own.
        std::vector<LivePlace> p;
        add(p, "192.168.0.1", 6, false, 10);
        p[2].waiting = true;
        cases.push_back({"one access point, a waiting one", p, "192.168.0.1", 2});
        p[2].waiting = false;
        cases.push_back({"one access point, all streams", p, "192.168.0.1", std::nullopt});
    }
    for (const Case& c : cases) EXPECT_EQ(placeToFree(c.places, c.newcomer), c.freed) << c.what;
}
