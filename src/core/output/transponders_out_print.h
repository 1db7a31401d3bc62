#pragma once

#include "files/house_transponders_file.h"
#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

#include <vector>

namespace vexa {

// "Transponders out": the loan transponders not returned, one a line with its label, the driver
// who has it and the event it was lent in; "Every loan transponder is back" when none is out.
Outcome printTranspondersOut(PrintStream& out, const ReportContext& context,
                             const std::vector<HouseTransponder>& lent);

} // namespace vexa
