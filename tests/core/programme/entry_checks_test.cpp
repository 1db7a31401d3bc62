#include "programme/entry_checks.h"
#include "programme/find_driver.h"
#include "support/event_builder.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::driver;
using vexa::test::seat;

namespace {

std::vector<std::string> describe(const std::vector<EntryProblem>& problems) {
    std::vector<std::string> out;
    for (const auto& p : problems)
        out.push_back(p.idText + test::numbered(" r", p.race) + test::numbered(" c", p.slot) + " " +
                      p.name + ": " + p.problem);
    return out;
}

// Ten named drivers, each with heat frequency = Id and final frequency 0.
EventData tenDrivers() {
    EventData e;
    for (int id = 1; id <= 10; ++id) {
        driver(e, id, test::numbered("D", id)).heatfreq = static_cast<uint8_t>(id);
    }
    return e;
}

using Lines = std::vector<std::string>;

TEST(EntryChecks, EmptyTableHasNoFindings) {
    EXPECT_TRUE(checkEntries(EventData{}, true).empty());
    EXPECT_TRUE(checkEntries(EventData{}, false).empty());
}

TEST(EntryChecks, DuplicatesAcrossRacesOnceAndWithinARaceFromBothSlots) {
    EventData e = tenDrivers();
    e.heats.setSlotText(2, 3, "5");
    e.heats.setSlotText(5, 3, "5");
    seat(e.heats, 7, {6, 0, 0, 6});
    EXPECT_EQ(describe(checkEntries(e, true)), (Lines{
                                                   "5 r2 c3 D5: is also in Heat:5 Car:3",
                                                   "6 r7 c4 D6: is also in Heat:7 Car:1",
                                                   "6 r7 c4 D6: Frequency Conflict",
                                                   "6 r7 c1 D6: is also in Heat:7 Car:4",
                                               }));
    e.finals = e.heats;
    for (int id = 1; id <= 10; ++id) e.cpts[id].setNoFreqNeeded(true);
    EXPECT_EQ(describe(checkEntries(e, false))[0], "5 r2 c3 D5: is also in Final:5 Car:3");
}

TEST(EntryChecks, FrequencyFindings) {
    EventData e = tenDrivers();
    e.cpts[2].heatfreq = 1;
    e.cpts[3].heatfreq = 1;
    e.cpts[4].heatfreq = 0;
    e.cpts[4].setNoFreqNeeded(true); // no frequency needed: no finding, and no conflict for 5
    e.cpts[5].heatfreq = 0;
    e.cpts[5].setNoFreqNeeded(true);
    e.cpts[6].heatfreq = 0;
    seat(e.heats, 1, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(describe(checkEntries(e, true)), (Lines{
                                                   "6 r1 c6 D6: No Frequency Allocated",
                                                   "3 r1 c3 D3: Frequency Conflict",
                                                   "2 r1 c2 D2: Frequency Conflict",
                                               }));
    // The finals table looks at the final frequencies, all 0 here.
    e.finals = e.heats;
    EXPECT_EQ(describe(checkEntries(e, false)), (Lines{
                                                    "6 r1 c6 D6: No Frequency Allocated",
                                                    "3 r1 c3 D3: No Frequency Allocated",
                                                    "2 r1 c2 D2: No Frequency Allocated",
                                                    "1 r1 c1 D1: No Frequency Allocated",
                                                }));
}

TEST(EntryChecks, FreeEntriesAndCellsThatNameNoCompetitor) {
    EventData e = tenDrivers();
    e.cpts[42].setNoFreqNeeded(false);
    e.cpts[43].setNoFreqNeeded(true);
    const char* cells[] = {"42", "43", "0", "301", "9999", "12a"};
    for (int s = 0; s < 6; ++s) e.heats.setSlotText(3, s + 1, cells[s]);
    const auto problems = checkEntries(e, true);
    EXPECT_EQ(describe(problems), (Lines{
                                      "12a r3 c6 : Driver has no name",
                                      "9999 r3 c5 : Driver has no name",
                                      "301 r3 c4 : Driver has no name",
                                      "0 r3 c3 : Driver has no name",
                                      "43 r3 c2 : Driver has no name",
                                      "42 r3 c1 : Driver has no name",
                                      "42 r3 c1 : No Frequency Allocated",
                                  }));
    EXPECT_EQ(problems[0].kind, EntryProblemKind::NotACompetitor);
    EXPECT_EQ(problems[0].id, 0);
    EXPECT_EQ(problems[4].kind, EntryProblemKind::NoName);
    EXPECT_EQ(problems[6].kind, EntryProblemKind::NoFrequency);
    EXPECT_EQ(problems[6].id, 42);
}

TEST(FindDriver, LastPlaceInEachTableAndNotFoundTexts) {
    EventData e = tenDrivers();
    e.heats.setSlotText(2, 3, "7");
    e.heats.setSlotText(9, 14, "7");
    e.finals.setSlotText(1, 2, "7");
    FindDriverResult r = findDriver(e, 7);
    EXPECT_EQ(r.heatText, "Driver Found in Qualifier/Heat: 9 CAR: 14");
    EXPECT_EQ(r.finalText, "Driver Found in Main/Final: 1 CAR: 2");
    EXPECT_TRUE(r.heat.found());

    r = findDriver(e, 8);
    EXPECT_EQ(r.heatText, "NOT FOUND IN THE QUALIFIER TABLE/HEAT");
    EXPECT_EQ(r.finalText, "NOT FOUND IN THE MAIN/FINAL TABLE");
    EXPECT_FALSE(r.heat.found());
    EXPECT_FALSE(r.final.found());
}

} // namespace
