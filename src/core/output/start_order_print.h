#pragma once

#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

#include <vector>

namespace vexa {

inline constexpr const char* StartOrderRoundOneMessage =
    "Can't print start orders, its only round 1 !";

// The start order of one heat for the round after `round`: the slot numbers of its drivers, best
// first. A driver is judged by his result in `round` itself when the stagger order is "LAST",
// otherwise in his best round over 1..`round`. Drivers without a judged round follow in slot
// order; a driver whose judged round holds no result is left off.
std::vector<int> heatStartOrder(const Program& program, int heat, int round);

// The start orders of every heat with drivers, for round `round` + 1.
Outcome printStartOrder(PrintStream& out, const ReportContext& context, int round);

} // namespace vexa
