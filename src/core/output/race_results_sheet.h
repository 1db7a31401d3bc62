#pragma once

#include "model/outcome.h"
#include "output/race_figures.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

#include <string>

namespace vexa {

// The weather texts of the track controller as the main window shows them; all empty when no
// controller reports them.
struct TrackWeather {
    std::string airTemperature;
    std::string trackTemperature;
    std::string humidity;
    std::string pressure;
};

// The results sheet of a race: the finishing order with laps, time, fastest and average lap and
// the gap to the leader (drivers who improved on their best earlier result in bold italic),
// followed by the lap chart of every entrant's lap times.
Outcome printRaceResultsSheet(PrintStream& out, const ReportContext& context,
                              const FinishedRace& race, const TrackWeather& weather);

} // namespace vexa
