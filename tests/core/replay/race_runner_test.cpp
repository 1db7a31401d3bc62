#include "replay/race_runner.h"
#include "support/race_fixture.h"

using namespace vexa;
using vexa::test::RaceFixture;

namespace {
class RaceRunner : public RaceFixture {
  protected:
    RaceRunResult run(const std::string& text, int races = 1) {
        const ParsedScript p = parseRaceScript(text);
        EXPECT_EQ(p.error, "");
        return runRaces(engine(), scheduler, p.script, races, nullptr);
    }
};
} // namespace

TEST_F(RaceRunner, ActionsArriveAtTheirMoments) {
    massHeats();
    race(1, {1, 2});
    race(2, {3});
    const RaceRunResult r = run("5 start\n"
                                "25 key 1\n"
                                "40 penalty 2\n"
                                "40 penalty 7\n"
                                "50 endrace\n");
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.racesRun, 1);
    EXPECT_DOUBLE_EQ(engine().values().race_drivers[1].endtime, 290.0);
    EXPECT_EQ(ports.texts("message"), (std::vector<std::string>{NoCarWithNumberMessage}));
    EXPECT_EQ(ports.texts("confirm"),
              (std::vector<std::string>{"End the Race (Saving Scores) -> OK"}));
    EXPECT_EQ(program.event.cptres[1].laps[1], 1);
    EXPECT_DOUBLE_EQ(program.event.cptres[1].time[1], 20.0);
    EXPECT_DOUBLE_EQ(now(), 52.0); // stopped right after the end-of-race processing
}

TEST_F(RaceRunner, StopsWhenNoMoreRacesCanRun) {
    race(1, {1});
    RaceRunResult r = run("20 pause\n", 2);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.racesRun, 0);
    EXPECT_EQ(r.message, "the countdown is paused with no more events in the script");

    dropEngine();
    ports.clear();
    r = run("10 start\n30 endrace\n", 2);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.racesRun, 1);
    EXPECT_EQ(r.message, "the round ended after 1 race(s): the end-of-round window is open");
}

TEST_F(RaceRunner, ScriptWithDecoderBytesNeedsADecoderInput) {
    race(1, {1});
    const RaceRunResult r = run("65 decoder 01 02\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "decoder bytes cannot be read: no decoder record parser is available");
    EXPECT_EQ(engine().values().RaceState, RaceStates::NeverOpened);
}

TEST_F(RaceRunner, PaceIsAskedBeforeEveryMomentInOrder) {
    massHeats();
    race(1, {1});
    const ParsedScript p = parseRaceScript("5 start\n25 key 1\n50 endrace\n");
    std::vector<int64_t> asked;
    bool clockNeverAhead = true;
    const RaceRunResult r =
        runRaces(engine(), scheduler, p.script, 1, nullptr, nullptr, -1, nullptr, [&](int64_t ms) {
            if (clock.milliseconds() > ms) clockNeverAhead = false;
            asked.push_back(ms);
        });
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(clockNeverAhead) << "the run moved on before it was paced";
    EXPECT_TRUE(std::is_sorted(asked.begin(), asked.end()));
    for (const int64_t moment : {5000, 25000, 50000})
        EXPECT_NE(std::find(asked.begin(), asked.end(), moment), asked.end()) << moment;
    EXPECT_EQ(asked.back(), clock.milliseconds());
}

TEST_F(RaceRunner, AnEchoedRunKeepsNoneOfItsEvents) {
    massHeats();
    race(1, {1, 2});
    ports.keepEvents = false;
    std::vector<PortEvent> echoed;
    ports.echo = [&echoed](const PortEvent& e) { echoed.push_back(e); };
    const RaceRunResult r = run("5 start\n25 key 1\n50 endrace\n");
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(ports.events.empty());
    const auto confirm = std::find_if(echoed.begin(), echoed.end(),
                                      [](const PortEvent& e) { return e.kind == "confirm"; });
    ASSERT_NE(confirm, echoed.end());
    EXPECT_EQ(confirm->text, "End the Race (Saving Scores) -> OK");
    EXPECT_EQ(confirm->ms, 50000);
    EXPECT_TRUE(std::is_sorted(echoed.begin(), echoed.end(),
                               [](const auto& a, const auto& b) { return a.ms < b.ms; }));
}
