#include "output/race_results_sheet.h"
#include "output/small_event.h"
#include "output/small_race.h"
#include "support/print_recorder.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

const char* const SheetColumns =
    "{Courier New 10 bu}Pos-Car -Laps       -Time-Name                     -FastLap  -AvLap "
    "-Leader Gap\n";

} // namespace

TEST(RaceResultsSheet, HeatWithWeatherImprovedDriverAndLapChart) {
    const Program p = smallProgram();
    const RaceDrivers drivers = smallRaceDrivers();
    PrintRecorder out;
    ASSERT_TRUE(printRaceResultsSheet(out, {p, testIdentity(), testMoment()}, heatOf(drivers),
                                      {"Air 12.5C", "Track 20.0C", "Hum 55%", "1013mb"}));
    EXPECT_EQ(
        out.transcript,
        std::string(SmallEventHead) +
            "{Arial 15}( Race Results ) Heat: 3 Round: 2 Touring\n"
            "{Courier New 10}Air 12.5C  Track 20.0C  Hum 55%  1013mb\n" +
            SheetColumns +
            "{Courier New 10}  1   1 {Courier New 10 bi}    3    1m35.500 "
            "{Courier New 10}Ann Lee                    31.200  31.833      3 Laps\n"
            "  2   2     3    1m37.250 Bob Stone                  32.000  32.417    +   1.75\n"
            "  3   4     1    0m40.000 Christopher Montgomery Jr  40.000  40.000     -2 Laps\n"
            "\n"
            "{Courier New 10 bi}LAP   Ann 1  Bob 2  Chri4   LAP\n"
            "{Courier New 10}  1   31.20  32.00  40.00   1  \n"
            "  2   32.10  33.00          2  \n"
            "  3   32.20  32.25          3  \n");
    EXPECT_EQ(out.opened, 1);
    EXPECT_EQ(out.closed, 1);
}

TEST(RaceResultsSheet, FinalWithoutLapsHasOnlyTheChartHead) {
    Program p = smallProgram();
    RaceDrivers drivers{entrant(1, "Ann Lee", 1, 1234567, {}), entrant(2, "Bob Stone", 2, 0, {})};
    drivers[0].runorder = 0;
    drivers[1].runorder = 1;
    const FinishedRace race{drivers, 2, 4, true, 1, "A", 0.0};
    PrintRecorder out;
    ASSERT_TRUE(printRaceResultsSheet(out, {p, testIdentity(), testMoment()}, race, {}));
    EXPECT_EQ(
        out.transcript,
        std::string(SmallEventHead) + "{Arial 15}( Race Results ) A Final: 2 Round: 4 Touring\n" +
            SheetColumns +
            "{Courier New 10}  1   1     0     NO TIME Ann Lee                     0.000"
            "                    \n"
            "  2   2     0     NO TIME Bob Stone                   0.000            +   0.00\n"
            "\n"
            "{Courier New 10 bi}LAP   Ann 1  Bob 2   LAP\n");
}

TEST(RaceResultsSheet, LapsOnlyWithTransponderBlanksCarsWithoutOne) {
    Program p = smallProgram();
    p.settings.dpLapsOnly = true;
    const RaceDrivers drivers = smallRaceDrivers();
    PrintRecorder out;
    ASSERT_TRUE(printRaceResultsSheet(out, {p, testIdentity(), testMoment()}, heatOf(drivers), {}));
    const std::string chart = out.transcript.substr(out.transcript.find("LAP   Ann 1"));
    EXPECT_EQ(chart, "LAP   Ann 1  Bob 2  Chri4   LAP\n"
                     "{Courier New 10}  1   31.20         40.00   1  \n"
                     "  2   32.10                 2  \n"
                     "  3   32.20                 3  \n");
}
