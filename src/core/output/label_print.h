#pragma once

#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

#include <functional>
#include <string>

namespace vexa {

// The choices of the "Label Printing" window.
struct LabelPrintOptions {
    bool finals = false;         // "Finals / Mains Table" instead of "Heats / Qualifier Table"
    bool printThenFeed = false;  // "Print then Feed" instead of "Standard Sheet"
    bool carNumberOrder = false; // "Car Number" instead of "Table Order"
};

// One label per driver of the chosen table: Id and name, race and car, class, frequency, the
// meeting title and the program. "Table Order" goes race by race, slot by slot; "Car Number"
// goes slot by slot over all races and calls `ready` with "Ready to print ..." before each car
// number that has drivers, so that the operator can load the label stock.
Outcome printLabels(PrintStream& out, const ReportContext& context,
                    const LabelPrintOptions& options,
                    const std::function<void(const std::string&)>& ready);

} // namespace vexa
