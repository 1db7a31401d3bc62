// `vexa-cli correct JOURNAL assign-transponder TRANSPONDER CAR`: a driver who raced with a
// borrowed transponder gets the laps the decoder counted for it as an unknown car.
#include "files/event_files.h"
#include "program/event_saves.h"
#include "replay/stored_race_corrector.h"
#include "support/cli_race.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

// One heat counted by an AMBrc decoder: Ann Lee (car 1, transponder 210001) laps in 29.5 s, Bob
// Ray (car 2, his own transponder 210002 on the entry) raced with the borrowed 4012345 and laps
// in 31 s; each finishes at its first crossing after 5 minutes. The decoder sends nothing for
// 210002, so Bob Ray's laps go to "Unknown 4012345", car 3.
class VexaCliAssignTransponder : public test::CliRace {
  protected:
    VexaCliAssignTransponder() {
        program.settings.heatMass = true;
        program.settings.countDevice = 2; // AMBrc on Com 1
        program.settings.count1ComPort = 0;
        driver(1, 1);
        driver(2, 2);
        program.event.cpts[1].name = "Ann Lee";
        program.event.cpts[2].name = "Bob Ray";
        program.event.cpts[1].transponder = 210001;
        program.event.cpts[2].transponder = 210002;
        writeEvent();
        fs::copy(eventDir(), dir.path() / "before", fs::copy_options::recursive);
    }

    static std::string script() {
        const double start = 61.0;
        std::vector<std::pair<double, std::string>> events = {{0.5, ambrcRecord('$', "\t1\t0\t0")}};
        for (double t = 1.0; t < start + 340; t += 5)
            events.push_back({t, ambrcRecord('#', "\t1\t0\t40")});
        for (int n = 1; n <= 11; ++n)
            events.push_back({start + n * 29.5 + 0.02, ambrcPassing(210001, n * 29.5)});
        for (int n = 1; n <= 10; ++n)
            events.push_back({start + n * 31.0 + 0.02, ambrcPassing(4012345, n * 31.0)});
        std::stable_sort(events.begin(), events.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string out;
        for (const auto& [t, what] : events) out += at(t, what);
        return out;
    }

    // The results file of the race run on the event as it was, with Bob Ray's entry holding
    // `bobsTransponder`.
    std::vector<uint8_t> racedWith(int32_t bobsTransponder) {
        fs::remove_all(eventDir());
        fs::copy(dir.path() / "before", eventDir(), fs::copy_options::recursive);
        program.event.cpts[2].transponder = bobsTransponder;
        EXPECT_TRUE(saveCompetitors(program).ok);
        EXPECT_EQ(run(script()), 0) << output;
        program.event.cpts[2].transponder = 210002;
        EXPECT_TRUE(saveCompetitors(program).ok);
        return eventFile("eventfile.qrf");
    }

    int correct(const std::string& what) {
        return runCli("correct " + quoted(eventDir() / "h1r1.journal") + " " + what +
                      " --reason \"borrowed transponder\"");
    }

    std::string audit() { return eventText("audit.log"); }
};

} // namespace

TEST_F(VexaCliAssignTransponder, TheStoredResultIsTheRaceRunWithTheTransponderOnTheDriver) {
    const std::vector<uint8_t> carried = racedWith(4012345);
    EventData expected;
    applyResultsBytes(carried, expected);
    ASSERT_EQ(expected.cptres[2].laps[1], 10); // the race run with it on him counts his laps

    const std::vector<uint8_t> asRaced = racedWith(210002);
    EventData before;
    applyResultsBytes(asRaced, before);
    ASSERT_NE(before.cptres[2].laps[1], 10);

    ASSERT_EQ(correct("assign-transponder 4012345 2"), 0) << output;
    EXPECT_EQ(eventFile("eventfile.qrf"), carried);
    EXPECT_NE(output.find("Car 2, Bob Ray: "), std::string::npos) << output;
    const std::string lines = audit();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
    EXPECT_NE(lines.find("\tHeat 1\tRound 1\tCar 2, Bob Ray\t"), std::string::npos) << lines;
    EXPECT_NE(lines.find(" -> 10 laps 310.000 s\tassign-transponder 4012345 2\tborrowed "
                         "transponder\n"),
              std::string::npos)
        << lines;
    EXPECT_EQ(eventText("h1r1.corrections"), "assign-transponder 4012345 2\n");
    // The entry keeps its own transponder: only the race is counted with the borrowed one.
    EventData entries;
    ASSERT_TRUE(readCompetitors(program.paths->competitors, entries).ok);
    EXPECT_EQ(entries.cpts[2].transponder, 210002);

    // Replayed and stored again, the race keeps the correction.
    ASSERT_TRUE(writeResults(eventDir() / "eventfile.qrf", EventData{}).ok);
    ASSERT_EQ(runCli("replay " + quoted(eventDir() / "h1r1.journal") + " --quiet --store"), 0)
        << output;
    EXPECT_EQ(eventFile("eventfile.qrf"), carried);

    // Given once, the transponder is no unknown car's any more.
    EXPECT_NE(correct("assign-transponder 4012345 2"), 0);
    EXPECT_NE(output.find("transponder 4012345 is car 2's in this race, not an unknown car's"),
              std::string::npos)
        << output;
}

TEST_F(VexaCliAssignTransponder, RefusedWhenTheCarIsNotUnknownOrTheDriverNotInTheRace) {
    const std::vector<uint8_t> asRaced = racedWith(210002);
    const std::pair<const char*, const char*> refused[] = {
        {"assign-transponder 210001 2",
         "transponder 210001 is car 1's in this race, not an unknown car's"},
        {"assign-transponder 777 2", "no car with transponder 777 was counted in this race"},
        {"assign-transponder 4012345 3", "car 3 has no competitor in this race"}, // the unknown
        {"assign-transponder 4012345 9", "car 9 has no competitor in this race"},
        {"assign-transponder 4012345", "needs a transponder number and a car number"},
        {"assign-transponder x1 2", "needs a transponder number and a car number"},
    };
    for (const auto& [what, message] : refused) {
        EXPECT_NE(correct(what), 0) << what;
        EXPECT_NE(output.find(message), std::string::npos) << what << "\n" << output;
    }
    EXPECT_EQ(eventFile("eventfile.qrf"), asRaced);
    EXPECT_FALSE(fs::exists(eventDir() / "audit.log"));
    EXPECT_FALSE(fs::exists(eventDir() / "h1r1.corrections"));
}

TEST_F(VexaCliAssignTransponder, CorrectResultsShowsTheUnknownCarAndGivesItsLapsToTheDriver) {
    const std::vector<uint8_t> carried = racedWith(4012345);
    racedWith(210002);
    StoredRaceCorrector corrector(eventDir(), openJournalEvent, [] {
        return LocalMoment::withPlainTexts(2026, 12, 11, 14, 0, 0);
    });
    ASSERT_TRUE(corrector.choose(0).ok);
    const auto unknown =
        std::find_if(corrector.passings().begin(), corrector.passings().end(),
                     [](const CountedPassing& p) { return p.unknownTransponder == 4012345; });
    ASSERT_NE(unknown, corrector.passings().end());
    EXPECT_EQ(unknown->car, 3);
    EXPECT_EQ(unknown->driver, "Unknown 4012345");
    EXPECT_TRUE(std::none_of(
        corrector.passings().begin(), corrector.passings().end(),
        [](const CountedPassing& p) { return p.car == 1 && p.unknownTransponder != 0; }));

    CorrectionRequest request;
    request.kind = Correction::Kind::AssignTransponder;
    request.driverCar = 2;
    EXPECT_EQ(corrector.apply(request, "borrowed").outcome.message,
              "Select a passing of the unknown car whose laps they were");
    request.transponder = unknown->unknownTransponder;
    request.driverCar = 0;
    EXPECT_EQ(corrector.apply(request, "borrowed").outcome.message,
              "Choose the driver whose laps they were");
    request.driverCar = 2;
    const RaceCorrectionResult done = corrector.apply(request, "borrowed");
    ASSERT_TRUE(done.outcome.ok) << done.outcome.message;
    EXPECT_EQ(done.id, 2);
    EXPECT_EQ(eventFile("eventfile.qrf"), carried);
    const CarResult& bob = corrector.results()[1];
    EXPECT_EQ(bob.id, 2);
    EXPECT_EQ(bob.laps, 10);
}
