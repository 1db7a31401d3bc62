#pragma once

#include "race/race_values.h"

#include <string>

namespace vexa {

struct EventData;
struct ProgSettings;

// The programme as JSON: the heats and the finals, each race with its slots (car number, driver
// and class), the table raced from, the round, the race that comes next and the one running.
// `running` is null when no race engine exists.
std::string programmeJson(const EventData& event, const ProgSettings& settings,
                          const RaceValues* running);

} // namespace vexa
