#pragma once

#include "model/outcome.h"
#include "output/report_context.h"

#include <string>

namespace vexa {

struct ProgSettings;

// A race's RUN element on its way into the collecting file. It is written ahead into the event
// directory's pending file before the race is stored (results and race number), together with
// the collecting file's size at that moment and a digest of the results file the race makes,
// and appended to the collecting file after. A crash in between leaves it pending, and the next
// start finishes it: appended when the event settings have moved on from its race (the race was
// stored), dropped when its race is still the current one and the results file does not hold it
// (the race is run again and brings its own). When the results file holds it while the settings
// still name its race (the last race of a table, whose round the end-of-round window moves on,
// or a crash before the race number moved on) it stays pending: a run of the race again brings
// its own in its place, and settings that move on have it appended. A part of it that a crash left
// at the end of the collecting file is cut off first, so the file never holds a torn or a doubled
// race.
inline constexpr const char* PendingUploadFileName = "mlri.pending";

// The race the event settings name as the current one: table, race number and round, as in
// "heats 3 1".
std::string currentRaceKey(const ProgSettings& settings);

// Writes the RUN element ahead, named by the current race and with the collecting file's size
// and the digest of the event's results as the race stores them.
// Nothing happens when no event directory exists.
Outcome stageUploadRun(const Program& program, const std::string& runText);

// Appends the RUN element to the collecting file and removes the pending file.
Outcome commitUploadRun(const ReportContext& context, const std::string& runText,
                        double trackMiles);

// Finishes a RUN element a crash left pending, as told above. The collecting file never gets it
// twice: one the file already ends with (the crash came after the append) is not appended again.
Outcome completePendingUploadRun(const ReportContext& context);

} // namespace vexa
