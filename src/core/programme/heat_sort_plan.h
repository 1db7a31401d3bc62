#pragma once

#include "model/event_data.h"
#include "model/outcome.h"
#include "programme/table_fill.h"
#include "settings/prog_settings.h"

#include <string>
#include <vector>

namespace vexa {

// How many races a class of n drivers needs at p per race, and how many run in the last one:
// n = 23, p = 10 gives 3 and 3; n = 20, p = 10 gives 2 and 10; n = 7, p = 10 gives 1 and 7.
// A p below 1 gives no races.
struct RaceSplit {
    int races = 0;
    int inLast = 0;
};
RaceSplit racesAndInLast(int n, int p);

// One row of the heat sort control ("Class", "Total#", "#Races", "#in Last", "#Per Race").
struct HeatSortRow {
    int classno = 0;
    std::string classText; // the class number, ") " and the class name
    int total = 0;         // eligible drivers of the class
    int perRace = DefaultPerRace;
    RaceSplit split;
};

// The heat sort control's state: a row for each class with at least one eligible driver, in
// class order, and the drivers per race that the fill uses.
struct HeatSortPlan {
    std::vector<HeatSortRow> rows;
    PerRace perrace{};
};

// As the control opens: every class at 10 per race.
HeatSortPlan openHeatSortPlan(const EventData& event, const ProgSettings& settings,
                              bool includeNoScore);

inline constexpr const char* PerRaceRangeMessage =
    "The number of drivers per race must be from 1 to 20";

// "Update": the "#Per Race" cells, one per row in row order, are read into the plan and the
// counts recomputed. An empty cell gives 10. The rows are read in order and the first cell that
// is not a whole number 1..20 stops the update with a message; that row and the rows after it
// keep their previous values.
Outcome updatePerRace(HeatSortPlan& plan, const std::vector<std::string>& perRaceCells);

} // namespace vexa
