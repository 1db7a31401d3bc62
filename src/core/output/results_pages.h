#pragma once

#include "model/outcome.h"
#include "output/race_figures.h"
#include "output/report_context.h"

#include <string>

namespace vexa {

// File names in the event's HTML folder: eor<first>_<last>.html, h<race>r<round>.html for a
// heat, f<race>r<round>.html for a final.
std::string overallResultsFileName(int first, int last);
std::string raceResultsFileName(const FinishedRace& race);

// The overall results page: the FTD standings over rounds first..last, one table per class.
// `includeNoScore` lists competitors without a best round too ("Print Drivers with no scores").
std::string overallResultsPageText(const ReportContext& context, int first, int last,
                                   bool includeNoScore);
// The results page of a race: the finishing order, then every entrant's lap times.
std::string raceResultsPageText(const ReportContext& context, const FinishedRace& race);

// Write the pages into the event's HTML folder, replacing a page of the same name; a missing
// folder writes nothing and reports nothing.
Outcome OverallResultsPage(const ReportContext& context, int first, int last, bool includeNoScore);
Outcome RaceResultsPage(const ReportContext& context, const FinishedRace& race);

} // namespace vexa
