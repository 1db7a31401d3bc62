#pragma once

#include "model/event_data.h"

#include <string>

namespace vexa {

// Where a competitor stands in one table; race 0 when he is in none.
struct TablePlace {
    int race = 0;
    int slot = 0;
    bool found() const { return race != 0; }
};

// The "Find Driver" dialog: the competitor's place in each table (when he stands in several
// cells, the last one race by race counts) and the texts of its two groups. "GO TO >>" is
// enabled exactly when the place was found.
struct FindDriverResult {
    TablePlace heat;
    TablePlace final;
    std::string heatText;
    std::string finalText;
};

TablePlace lastPlaceOf(const RacingTable& table, int id);
FindDriverResult findDriver(const EventData& event, int id);

} // namespace vexa
