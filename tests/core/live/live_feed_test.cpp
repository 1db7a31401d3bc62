// The live feed during a race run in virtual time: the texts a phone gets after given passings,
// the programme with the running race marked, and the results of the finished race.
#include "live/live_feed.h"
#include "support/race_fixture.h"

#include <string>

using namespace vexa;
using vexa::test::RaceFixture;

namespace {

// The engine's redraw notices go to the feed, as the server wires them.
class FeedView : public RaceView {
  public:
    explicit FeedView(LiveFeed& feed) : feed_(feed) {}
    void panelChanged() override { feed_.raceChanged(); }
    void standingsChanged() override { feed_.raceChanged(); }
    void carCellChanged(int) override {}
    void toggleScrollLock() override {}

  private:
    LiveFeed& feed_;
};

class LiveFeedRace : public RaceFixture {
  protected:
    LiveFeedRace() {
        massHeats();
        raceMinutes(1);
        program.settings.eventTitle = "Club Day";
        engineOn(RacePorts{clock, scheduler, ports, ports, ports, ports, ports, &view});
    }

    // Where `part` starts in the text, or npos; a failed expectation names the text.
    static size_t at(const std::string& text, const std::string& part) {
        const size_t pos = text.find(part);
        EXPECT_NE(pos, std::string::npos) << part << "\nnot in\n" << text;
        return pos;
    }

    LiveFeed feed{LiveSources{program.settings, program.event, program.paths,
                              [this] { return drivenEngine; }}};
    FeedView view{feed};
};

} // namespace

TEST_F(LiveFeedRace, StandingsAndPassingsAfterGivenPassings) {
    race(1, {1, 2, 3});
    program.event.cpts[3].name = "J\xfcrgen \"Jay\"";
    openAndStart();
    keyAt(20, '1');
    keyAt(23.5, '2');
    keyAt(40, '1');
    const uint64_t before = feed.sequence();
    keyAt(41, '3');
    EXPECT_GT(feed.sequence(), before) << "every counted passing moves the feed on";

    const std::string json = feed.raceJson();
    at(json, R"("event":"Club Day","state":"running","race":1,"round":1,"kind":"heat")");
    at(json, R"("class":"Buggy","title":"Buggy Heat# 1")");
    // The running order as the race screen draws it: the leader two laps in, the gap of the
    // second on the leader's lap count, the colours of the grid.
    at(json, R"("rows":[{"pos":"1","car":"1","name":"Driver 1","laps":"2","time":"40.00",)"
             R"("lastLap":"20.00","fastestLap":"20.00","gap":"2 Laps")");
    at(json, R"({"pos":"2","car":"2","name":"Driver 2","laps":"1","time":"23.50")");
    at(json, R"("gap":"-1 Lap")");
    // A Latin-1 name comes out as UTF-8 with its quotes escaped.
    at(json, "{\"pos\":\"3\",\"car\":\"3\",\"name\":\"J\xc3\xbcrgen \\\"Jay\\\"\"");
    at(json, R"("lapsBackground":"black")");
    // The last passings, newest first.
    at(json, "\"passings\":[{\"car\":3,\"name\":\"J\xc3\xbcrgen \\\"Jay\\\"\",\"lap\":1,");
    const size_t second = at(json, R"({"car":1,"name":"Driver 1","lap":2,"lapTime":"20.00",)"
                                   R"("time":"40.00"})");
    const size_t third = at(json, R"({"car":2,"name":"Driver 2","lap":1,)");
    EXPECT_LT(second, third);

    // The event stream carries the same text as one message.
    EXPECT_EQ(feed.raceEvent(), "event: race\ndata: " + feed.raceJson() + "\n\n");
}

TEST_F(LiveFeedRace, ARestartEmptiesTheLastPassings) {
    race(1, {1, 2});
    openAndStart();
    keyAt(20, '1');
    at(feed.raceJson(), R"("passings":[{"car":1,)");
    engine().RestartRaceClick();
    openAndStart();
    at(feed.raceJson(), R"("passings":[])");
    keyAt(21, '2');
    const std::string json = feed.raceJson();
    at(json, R"("passings":[{"car":2,"name":"Driver 2","lap":1,)");
    EXPECT_EQ(json.find(R"("car":1,"name":"Driver 1","lap")"), std::string::npos) << json;
}

TEST_F(LiveFeedRace, TheCountdownIsPausedOnlyWhileItStandsStill) {
    race(1, {1, 2});
    const auto state = [this] {
        const std::string json = feed.raceJson();
        const size_t from = json.find(R"("state":")") + 9;
        return json.substr(from, json.find('"', from) - from);
    };
    engine().openRaceScreen();
    runTo(5);
    EXPECT_EQ(state(), "countdown");
    engine().StopStartCountdownClick(); // "Stop &Countdown"
    runTo(8);
    EXPECT_EQ(state(), "paused");
    // "Start &Countdown": the race state stays at paused until the next change, but the
    // countdown runs.
    engine().StopStartCountdownClick();
    runTo(12);
    ASSERT_EQ(engine().values().RaceState, RaceStates::CountdownPaused);
    EXPECT_EQ(state(), "countdown");
    openAndStart();
    EXPECT_EQ(state(), "running");
}

TEST_F(LiveFeedRace, TheProgrammeMarksTheRunningRace) {
    race(1, {1, 2});
    race(2, {0, 3, 4});
    race(1, {5}, true);
    program.event.finals.setInfo(1, "1/A");
    const std::string idle = feed.programmeJson();
    at(idle, R"("round":1,"racing":"heats","heats":[{"race":1,"info":"","next":true,)"
             R"("running":false,"slots":[{"car":1,"name":"Driver 1","class":"Buggy"},)"
             R"({"car":2,"name":"Driver 2","class":"Buggy"}]})");
    // An empty slot is left out; a slot keeps its car number.
    at(idle, R"({"race":2,"info":"","next":false,"running":false,"slots":[{"car":2,)");
    at(idle, R"("finals":[{"race":1,"info":"1/A","next":false,"running":false,)"
             R"("slots":[{"car":1,"name":"Driver 5","class":"Buggy"}]}])");
    openAndStart();
    at(feed.programmeJson(), R"({"race":1,"info":"","next":true,"running":true,)");
}

TEST_F(LiveFeedRace, ResultsOfTheFinishedRaceByRound) {
    race(1, {1, 2, 3});
    openAndStart();
    keyAt(20, '2');
    keyAt(21, '1');
    keyAt(40, '2');
    keyAt(42, '1');
    keyAt(60, '2');
    keyAt(63, '1');
    runToRaceEnd();
    const auto results = feed.resultsJson("1");
    ASSERT_TRUE(results);
    at(*results, R"("round":1,"classes":[{"class":"Buggy","results":[)"
                 R"({"pos":1,"name":"Driver 2","laps":3,"time":"1m00.000"},)"
                 R"({"pos":2,"name":"Driver 1","laps":3,"time":"1m03.000"},)"
                 R"({"pos":3,"name":"Driver 3","laps":0,"time":"NO TIME"}]}])");
    at(*results, R"("pages":[])"); // no event open: no HTML folder
    at(feed.resultsJson("2").value(), R"("classes":[])");
    for (const char* bad : {"", "0", "21", "x", "1a", "-1", "001", " 1"})
        EXPECT_FALSE(feed.resultsJson(bad)) << '"' << bad << '"';
}

TEST(LiveFeed, BeforeTheEngineExistsTheRaceIsClosed) {
    Program program;
    LiveFeed feed{LiveSources{program.settings, program.event, program.paths,
                              []() -> const RaceEngine* { return nullptr; }}};
    feed.raceChanged();
    EXPECT_EQ(feed.raceJson(), R"({"sequence":1,"state":"closed","rows":[],"passings":[]})");
    EXPECT_FALSE(feed.htmlFile("index.html"));
}
