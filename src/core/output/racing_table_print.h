#pragma once

#include "model/limits.h"
#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

namespace vexa {

// The choices of the "Racing Table Print" window.
struct RacingTablePrintOptions {
    bool finals = false; // "Finals / Mains Table" instead of "Heats / Qualifier Table"
    int rangeStart = 1;  // races rangeStart..rangeEnd, 1..50
    int rangeEnd = MaxRaces;
    bool includeFrequencies = true; // "Include Frequencies"
};

// The printed racing table: every race of the range that has drivers, with its drivers' Ids,
// names, classes, transponders (or transponder letters), membership numbers and frequencies.
Outcome printRacingTable(PrintStream& out, const ReportContext& context,
                         const RacingTablePrintOptions& options);

} // namespace vexa
