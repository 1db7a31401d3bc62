#pragma once

#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

namespace vexa {

// The points report of the "EOR Positions" window: per class, the round-by-round standings over
// rounds first..last counting the best `count` rounds, with every round's position.
Outcome printPointsReport(PrintStream& out, const ReportContext& context, int first, int last,
                          int count, bool includeNoScore);

} // namespace vexa
