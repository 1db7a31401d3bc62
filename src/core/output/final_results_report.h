#pragma once

#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

namespace vexa {

// The "Final Results" report: finals first..last of the finals table, each ranked by its drivers'
// results in `round`.
Outcome PrintFinalResults(PrintStream& out, const ReportContext& context, int first, int last,
                          int round);

} // namespace vexa
