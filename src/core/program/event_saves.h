#pragma once

#include "model/outcome.h"

namespace vexa {

struct Program;

// The event files written after a change to the competitors, each set at its moment. With no
// event open nothing is written. Every file of a set is written; the first failure is reported.

// Drivers taken into the event (from the drivers database, a CSV file), or all enabled or
// disabled: the competitors file.
Outcome saveCompetitors(const Program& program);
// The entry window hides: the competitors file and the results file.
Outcome saveCompetitorsAndResults(const Program& program);
// A competitor deleted: the competitors file, the results file and both table files.
Outcome saveAfterDeletion(const Program& program);

} // namespace vexa
