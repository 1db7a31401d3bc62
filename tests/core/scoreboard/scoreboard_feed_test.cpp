// The scoreboard feed during races run in virtual time: the records after given passings equal
// the race's standings, a reader that comes later gets the whole state, and the flag follows the
// race from the countdown to the finish.
#include "scoreboard/rmonitor_fields.h"
#include "scoreboard/scoreboard_feed.h"
#include "support/race_fixture.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace vexa;
using vexa::test::RaceFixture;

namespace {

const WallMoment Afternoon{14 * 3600 * 1000 + 2 * 60 * 1000 + 11 * 1000, 2026, 12, 11};

// The engine's redraw notices go to the feed, as the server wires them; what it gives is kept.
class FeedView : public RaceView {
  public:
    explicit FeedView(std::function<void()> changed) : changed_(std::move(changed)) {}
    void panelChanged() override { changed_(); }
    void standingsChanged() override { changed_(); }
    void carCellChanged(int) override {}
    void toggleScrollLock() override {}

  private:
    std::function<void()> changed_;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        out.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()) << "a record without its CR LF";
    return out;
}

// The car a record names: its first quoted field.
std::string carOf(const std::string& line) {
    const size_t from = line.find('"') + 1;
    return line.substr(from, line.find('"', from) - from);
}

std::vector<std::string> startingWith(const std::string& text, const std::string& kind) {
    std::vector<std::string> out;
    for (const std::string& line : lines(text))
        if (line.rfind(kind + ",", 0) == 0) out.push_back(line);
    return out;
}

class ScoreboardRaceTest : public RaceFixture {
  protected:
    ScoreboardRaceTest() {
        massHeats();
        raceMinutes(1);
        engineOn(RacePorts{clock, scheduler, ports, ports, ports, ports, ports, &view});
    }

    void look() {
        const ScoreboardRace race{engine().values(), engine().panel(), program.settings};
        sent += feed.observe(&race, Afternoon);
    }
    // What was sent since the last call.
    std::string take() { return std::exchange(sent, {}); }

    // The `$G` record of each row of the race screen's standings.
    std::vector<std::string> standingsAsPositions() const {
        std::vector<std::string> out;
        const RaceDrivers& drivers = drivenEngine->values().race_drivers;
        for (const StandingsRow& row : drivenEngine->standings().rows()) {
            const RaceDriver& d = drivers[static_cast<size_t>(row.entrant)];
            const std::string laps = d.lapcount > 0 ? row.laps : std::string{};
            out.push_back("$G," + row.pos + ",\"" + row.car + "\"," + laps + ",\"" +
                          rmonitorTime(rmonitorMs(d.lastpass)) + "\"");
        }
        return out;
    }

    ScoreboardFeed feed;
    std::string sent;
    FeedView view{[this] { look(); }};
};

} // namespace

TEST_F(ScoreboardRaceTest, PassingsGivePositionsThatEqualTheStandings) {
    race(1, {1, 2, 3});
    competitor(2, 1, "Ann Marie Lee");
    openAndStart();
    const std::string setUp = take();
    EXPECT_EQ(lines(setUp).front(), "$I,\"14:02:11.000\",\"11 Dec 26\"");
    EXPECT_EQ(startingWith(setUp, "$B"),
              std::vector<std::string>{"$B,101001,\"Buggy Heat# 1 Round 1\""});
    EXPECT_EQ(startingWith(setUp, "$C"), std::vector<std::string>{"$C,1,\"Buggy\""});
    EXPECT_EQ(startingWith(setUp, "$A"),
              (std::vector<std::string>{"$A,\"1\",\"1\",0,\"Driver\",\"1\",\"\",1",
                                        "$A,\"2\",\"2\",0,\"Ann Marie\",\"Lee\",\"\",1",
                                        "$A,\"3\",\"3\",0,\"Driver\",\"3\",\"\",1"}));
    EXPECT_EQ(startingWith(setUp, "$COMP").size(), 3u);
    // Every car has a place before its first lap, its laps empty.
    EXPECT_EQ(startingWith(setUp, "$G").size(), 3u);
    EXPECT_EQ(startingWith(setUp, "$G").front(), "$G,1,\"1\",,\"00:00:00.000\"");

    keyAt(20, '2');
    const std::string first = take();
    EXPECT_EQ(startingWith(first, "$J"),
              std::vector<std::string>{"$J,\"2\",\"00:00:20.000\",\"00:00:20.000\""});
    // Car 2 goes ahead of car 1; car 3 keeps its place and is not sent again.
    EXPECT_EQ(startingWith(first, "$G"),
              (std::vector<std::string>{"$G,1,\"2\",1,\"00:00:20.000\"",
                                        "$G,2,\"1\",,\"00:00:00.000\""}));
    EXPECT_EQ(lines(first).front().substr(0, 2), "$J") << "the passing comes before its places";

    keyAt(22.25, '1');
    keyAt(35.5, '1'); // car 1 overtakes car 2 on laps
    keyAt(43, '2');
    keyAt(51.125, '1');
    const std::string later = take();
    EXPECT_EQ(startingWith(later, "$J"),
              (std::vector<std::string>{"$J,\"1\",\"00:00:22.250\",\"00:00:22.250\"",
                                        "$J,\"1\",\"00:00:13.250\",\"00:00:35.500\"",
                                        "$J,\"2\",\"00:00:23.000\",\"00:00:43.000\"",
                                        "$J,\"1\",\"00:00:15.625\",\"00:00:51.125\""}));
    // The last places sent for each car are the race screen's standings, row by row.
    std::map<std::string, std::string> lastOf;
    for (const std::string& g : startingWith(setUp + first + later, "$G")) lastOf[carOf(g)] = g;
    std::vector<std::string> latest;
    for (const auto& [car, g] : lastOf) latest.push_back(g);
    std::sort(latest.begin(), latest.end());
    EXPECT_EQ(latest, standingsAsPositions());
    // Best laps: a mass start's first lap holds the start and is no best lap.
    EXPECT_EQ(startingWith(later, "$H"),
              (std::vector<std::string>{"$H,1,\"1\",2,\"00:00:13.250\"",
                                        "$H,2,\"2\",2,\"00:00:23.000\""}));
    keyAt(58, '2'); // car 2's best gets better, and stays second
    EXPECT_EQ(startingWith(take(), "$H"),
              std::vector<std::string>{"$H,2,\"2\",3,\"00:00:15.000\""});
}

TEST_F(ScoreboardRaceTest, AReaderThatComesLaterGetsTheWholeState) {
    race(1, {1, 2, 3});
    openAndStart();
    keyAt(20, '3');
    keyAt(21, '1');
    keyAt(37, '3');
    const std::string welcome = feed.welcome(Afternoon);
    EXPECT_EQ(startingWith(welcome, "$A").size(), 3u);
    EXPECT_EQ(startingWith(welcome, "$COMP").size(), 3u);
    EXPECT_EQ(startingWith(welcome, "$B").size(), 1u);
    std::vector<std::string> positions = startingWith(welcome, "$G");
    EXPECT_EQ(positions, standingsAsPositions());
    EXPECT_EQ(startingWith(welcome, "$H"),
              std::vector<std::string>{"$H,1,\"3\",2,\"00:00:17.000\""});
    EXPECT_EQ(lines(welcome).back(), "$F,9999,\"00:00:23\",\"14:02:11\",\"00:00:37\",\"Green \"");
    EXPECT_EQ(startingWith(welcome, "$J").size(), 0u) << "passings are news, not state";
}

TEST_F(ScoreboardRaceTest, TheFlagFollowsTheRace) {
    race(1, {1, 2});
    race(2, {3});
    const auto flag = [this] {
        const std::string f = feed.heartbeat(Afternoon);
        return f.substr(f.size() - 9, 6);
    };
    engine().openRaceScreen();
    runTo(5);
    EXPECT_EQ(flag(), "      ") << "the countdown to the race";
    engine().StopStartCountdownClick();
    runTo(6);
    EXPECT_EQ(flag(), "Yellow") << "the countdown stopped by the race director";
    engine().StopStartCountdownClick();
    openAndStart();
    keyAt(10, '1');
    EXPECT_EQ(flag(), "Green ");
    EXPECT_EQ(feed.heartbeat(Afternoon),
              "$F,9999,\"00:00:50\",\"14:02:11\",\"00:00:10\",\"Green \"\r\n");
    keyAt(61, '1'); // the time is up: cars finish on their next passing
    EXPECT_EQ(flag(), "Finish");
    runToRaceEnd();
    EXPECT_EQ(flag(), "Finish") << "the chequered flag stays out until the next race is set up";
    EXPECT_EQ(feed.heartbeat(Afternoon).substr(0, 20), "$F,9999,\"00:00:00\",\"");
    take();
    openAndStart(); // the next race: readers are told to let go of the last one
    const std::string next = take();
    EXPECT_EQ(lines(next).front().substr(0, 3), "$I,");
    EXPECT_EQ(startingWith(next, "$B"),
              std::vector<std::string>{"$B,101002,\"Buggy Heat# 2 Round 1\""});
    EXPECT_EQ(flag(), "Green ");
}

TEST_F(ScoreboardRaceTest, ARestartIsANewRunWithoutTheChequeredFlag) {
    race(1, {1, 2});
    openAndStart();
    keyAt(20, '1');
    take();
    engine().RestartRace();
    const auto flag = [this] {
        const std::string f = feed.heartbeat(Afternoon);
        return f.substr(f.size() - 9, 6);
    };
    EXPECT_EQ(flag(), "      ");
    openAndStart();
    const std::string again = take();
    EXPECT_EQ(lines(again).front().substr(0, 3), "$I,") << again;
    EXPECT_EQ(startingWith(again, "$G").size(), 2u);
    EXPECT_EQ(startingWith(again, "$J").size(), 0u);
}

TEST_F(ScoreboardRaceTest, ALapRaceCountsItsLapsToGo) {
    program.settings.maxRaceLaps = 5;
    race(1, {1});
    openAndStart();
    keyAt(10, '1');
    keyAt(20, '1');
    EXPECT_EQ(feed.heartbeat(Afternoon).substr(0, 5), "$F,3,");
}
