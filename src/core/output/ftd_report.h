#pragma once

#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

namespace vexa {

// The FTD report of the "EOR Positions" window: per class, the fastest-time-of-day order over
// rounds first..last. The title carries the current round of the settings.
Outcome PrintFTDResults(PrintStream& out, const ReportContext& context, int first, int last,
                        bool includeNoScore);

} // namespace vexa
