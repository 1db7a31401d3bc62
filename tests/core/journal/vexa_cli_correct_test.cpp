// `vexa-cli correct`: each kind of correction gives the result the engine gives a race run with
// that change, stores it, and writes one audit line.
#include "files/event_files.h"
#include "support/cli_race.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

// Three cars counted with the keys: car 1 laps in 30 s, car 2 in 31 s, car 3 in 29 s, from the
// start at 61 s, each until its first crossing after 5 minutes.
class VexaCliCorrect : public test::CliRace {
  protected:
    VexaCliCorrect() {
        program.settings.heatMass = true;
        for (int id = 1; id <= 3; ++id) driver(id, id);
        driver(4, 1, 2); // a second heat
        writeEvent();
        fs::copy(eventDir(), dir.path() / "before", fs::copy_options::recursive);
    }

    struct Change {
        double at = 0;
        std::string what;
    };
    // The script, without the laps `skip` names (car, lap) and with `extra` events.
    static std::string script(std::vector<std::pair<int, int>> skip, std::vector<Change> extra) {
        std::vector<std::pair<double, std::string>> events;
        const double lap[] = {0, 30, 31, 29};
        for (int car = 1; car <= 3; ++car)
            for (int n = 1; (n - 1) * lap[car] <= 300; ++n)
                if (std::find(skip.begin(), skip.end(), std::make_pair(car, n)) == skip.end())
                    events.push_back({61 + n * lap[car], "key " + std::to_string(car)});
        for (const Change& c : extra) events.push_back({c.at, c.what});
        std::stable_sort(events.begin(), events.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string out;
        for (const auto& [t, what] : events) out += at(t, what);
        return out;
    }

    // The results of a race run with this script on the event as it was.
    EventData raced(const std::string& text) {
        fs::remove_all(eventDir());
        fs::copy(dir.path() / "before", eventDir(), fs::copy_options::recursive);
        EXPECT_EQ(run(text), 0) << output;
        EventData back;
        applyResultsBytes(eventFile("eventfile.qrf"), back);
        return back;
    }

    EventData stored() {
        EventData back;
        applyResultsBytes(eventFile("eventfile.qrf"), back);
        return back;
    }

    int correct(const std::string& what, const std::string& reason = "marshal's report") {
        return runCli("correct " + quoted(eventDir() / "h1r1.journal") + " " + what +
                      " --reason \"" + reason + "\"");
    }

    std::vector<std::string> auditLines() {
        std::vector<std::string> lines;
        const std::string text = [&] {
            const auto bytes = readWholeFile(eventDir() / "audit.log");
            return bytes ? std::string(bytes->begin(), bytes->end()) : std::string{};
        }();
        size_t at = 0;
        for (size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
            lines.push_back(text.substr(at, end - at));
        return lines;
    }
};

std::pair<int, double> result(const EventData& event, int id) {
    return {event.cptres[id].laps[1], event.cptres[id].time[1]};
}

} // namespace

TEST_F(VexaCliCorrect, EachCorrectionGivesWhatTheEngineGivesAndLeavesAnAuditLine) {
    // Car 2 is counted twice at its fourth lap (8 s after it, past the minimum lap time); car 3's
    // sixth lap (race second 174) was missed.
    const Change doubleCount{61 + 4 * 31 + 8, "key 2"};
    const EventData clean = raced(script({}, {}));
    const EventData penalised = raced(script({}, {{90.0, "penalty 3"}}));
    ASSERT_NE(result(penalised, 3), result(clean, 3)); // the penalty changes car 3's result
    const EventData asRaced = raced(script({{3, 6}}, {doubleCount}));
    ASSERT_NE(result(asRaced, 2), result(clean, 2));
    ASSERT_NE(result(asRaced, 3), result(clean, 3));

    struct Case {
        std::string correction;
        int id;
        std::pair<int, double> expected;
    };
    const Case cases[] = {
        {"remove-passing 2 5", 2, result(clean, 2)},
        {"add-lap 3 174", 3, result(clean, 3)},
        {"penalty 3", 3, result(penalised, 3)},
        {"take-back-penalty 3", 3, result(clean, 3)},
        {"set 3 9 280.5", 3, {9, 280.5}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.correction);
        const std::pair<int, double> old = result(stored(), c.id);
        ASSERT_EQ(correct(c.correction, "reason " + std::to_string(i)), 0) << output;
        EXPECT_EQ(result(stored(), c.id), c.expected);
        const auto lines = auditLines();
        ASSERT_EQ(lines.size(), i + 1);
        const std::string& line = lines.back();
        char oldText[64];
        std::snprintf(oldText, sizeof oldText, "%d laps %.3f s -> ", old.first, old.second);
        EXPECT_NE(line.find(oldText), std::string::npos) << line;
        EXPECT_NE(line.find("\tHeat 1\tRound 1\tCar " + std::to_string(c.id) + ", Driver " +
                            std::to_string(c.id) + "\t"),
                  std::string::npos)
            << line;
        EXPECT_NE(line.find("\t" + c.correction + "\treason " + std::to_string(i)),
                  std::string::npos)
            << line;
    }
    EXPECT_EQ(result(stored(), 2), result(clean, 2)); // earlier corrections hold
    EXPECT_TRUE(fs::exists(eventDir() / "html" / "h1r1.html"));

    // Replayed and stored again, the race keeps its corrections.
    const auto corrected = eventFile("eventfile.qrf");
    ASSERT_TRUE(writeResults(eventDir() / "eventfile.qrf", EventData{}).ok);
    ASSERT_EQ(runCli("replay " + quoted(eventDir() / "h1r1.journal") + " --quiet --store"), 0)
        << output;
    EXPECT_EQ(eventFile("eventfile.qrf"), corrected);
}

TEST_F(VexaCliCorrect, ACorrectionThatCannotBeMadeChangesNothing) {
    raced(script({}, {}));
    const auto results = eventFile("eventfile.qrf");
    const std::pair<const char*, const char*> refused[] = {
        {"remove-passing 2 99", "car 2 has no lap 99 in this race"},
        {"take-back-penalty 1", "car 1 has no time penalty in this race"},
        {"penalty 7", "car 7 has no competitor in this race"},
        {"set 1 ten 5", "needs a car number, laps and seconds"},
    };
    for (const auto& [what, message] : refused) {
        EXPECT_NE(correct(what), 0) << what;
        EXPECT_NE(output.find(message), std::string::npos) << output;
    }
    EXPECT_NE(runCli("correct " + quoted(eventDir() / "h1r1.journal") + " penalty 1"), 0);
    EXPECT_NE(output.find("--reason TEXT"), std::string::npos) << output;
    EXPECT_EQ(eventFile("eventfile.qrf"), results);

    // Results changed by hand since the race are not overwritten by the journal's.
    EventData edited = stored();
    edited.cptres[2].laps[1] = 3;
    ASSERT_TRUE(writeResults(eventDir() / "eventfile.qrf", edited).ok);
    const auto handEdited = eventFile("eventfile.qrf");
    EXPECT_NE(correct("penalty 1"), 0);
    EXPECT_NE(output.find("The race's journal does not give its stored results (car 2: stored 3 "
                          "laps"),
              std::string::npos)
        << output;
    EXPECT_EQ(eventFile("eventfile.qrf"), handEdited);
    EXPECT_FALSE(fs::exists(eventDir() / "audit.log"));
}
