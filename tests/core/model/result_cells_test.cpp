#include "base/real48.h"
#include "model/event_data.h"
#include "model/result_cells.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

TEST(ResultCells, ShownTexts) {
    struct Case {
        int laps;
        double time;
        const char* lapsText;
        const char* timeText;
    };
    const Case cases[] = {
        {-1, -1.0, "", ""},        {0, -1.0, "0", ""},
        {-1, 12.5, "", "12.500"},  {12, 301.4567, "12", "301.457"},
        {3, 0.5, "3", "0.500"},    {3, 0.0, "3", "0.000"},
        {7, -0.25, "7", "-0.250"}, {150, 3599.9999, "150", "3600.000"},
    };
    for (const Case& c : cases) {
        res_ent res;
        res.clear();
        res.laps[4] = c.laps;
        res.time[4] = c.time;
        const ResultCells cells = resultCells(res, 4);
        EXPECT_EQ(cells.laps, c.lapsText) << c.laps;
        EXPECT_EQ(cells.time, c.timeText) << c.time;
    }
    res_ent res;
    res.clear();
    EXPECT_EQ(resultCells(res, 21), ResultCells{});
}

TEST(ResultCells, TypedTextsReadBack) {
    struct Case {
        const char* text;
        int laps;
        double time;
    };
    const Case cases[] = {
        {"", -1, -1.0},
        {"  ", -1, -1.0},
        {"12", 12, 12.0},
        {" 12 ", 12, 12.0},
        {"301.457", -1, 301.457},
        {"12a", -1, -1.0},
        {"1,5", -1, -1.0},
        {"inf", -1, -1.0},
        {"nan", -1, -1.0},
        {"0", 0, 0.0},
        {"99999999999", -1, 99999999999.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(typedLaps(c.text), c.laps) << c.text;
        EXPECT_DOUBLE_EQ(typedTime(c.text), c.time) << c.text;
    }
}

TEST(ResultCells, UntouchedCellsKeepTheirExactValues) {
    EventData e;
    e.storeResult(9, 1, 12, 301.45678);
    e.storeResult(9, 2, 10, 299.0);
    const ResultRows shown = resultRows(e.cptres[9]);
    ResultRows typed = shown;
    typed[2].time = "298.5";   // changed time, laps as shown
    typed[3] = {"4", ""};      // a new result without a time
    typed[20] = {"", "61.25"}; // a time without laps
    storeTypedResults(e, 9, shown, typed);

    EXPECT_EQ(e.cptres[9].laps[1], 12);
    EXPECT_DOUBLE_EQ(e.cptres[9].time[1], roundToReal48(301.45678)); // not 301.457
    EXPECT_EQ(e.cptres[9].laps[2], 10);
    EXPECT_DOUBLE_EQ(e.cptres[9].time[2], 298.5);
    EXPECT_EQ(e.cptres[9].laps[3], 4);
    EXPECT_EQ(e.cptres[9].time[3], -1.0);
    EXPECT_EQ(e.cptres[9].laps[20], -1);
    EXPECT_DOUBLE_EQ(e.cptres[9].time[20], 61.25);

    // Emptying both cells of a round removes its result.
    const ResultRows now = resultRows(e.cptres[9]);
    typed = now;
    typed[1] = {};
    storeTypedResults(e, 9, now, typed);
    EXPECT_FALSE(e.cptres[9].hasResult(1));
}

} // namespace
