#pragma once

#include "model/event_data.h"
#include "model/table_queries.h"

#include <string>

namespace vexa {

// The "Find Driver" dialog: the competitor's place in each table (when he stands in several
// cells, the last one race by race counts) and the texts of its two groups. "GO TO >>" is
// enabled exactly when the place was found.
struct FindDriverResult {
    TablePlace heat;
    TablePlace final;
    std::string heatText;
    std::string finalText;
};

FindDriverResult findDriver(const EventData& event, int id);

} // namespace vexa
