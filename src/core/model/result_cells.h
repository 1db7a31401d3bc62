#pragma once

#include "model/event_data.h"

#include <array>
#include <string>

namespace vexa {

// The texts of one round's row of the entry window's "Results" grid.
struct ResultCells {
    std::string laps; // the laps, or empty when there are none (-1)
    std::string time; // the time with 3 decimals, at least 5 wide, or empty when none (-1.0)
    bool operator==(const ResultCells&) const = default;
};

// The rows of rounds 1..20; element 0 is unused.
using ResultRows = std::array<ResultCells, MaxRounds + 1>;

ResultCells resultCells(const res_ent& res, int round);
ResultRows resultRows(const res_ent& res);

// A row read back: an empty "Laps" cell, or one that is not a whole number, is no laps (-1); an
// empty "Time" cell, or one that does not read completely as a number, is no time (-1.0).
int32_t typedLaps(const std::string& text);
double typedTime(const std::string& text);

// Stores the rows typed for a competitor. A cell whose text is still the one shown keeps the
// stored value exactly, so looking at a driver never rounds his times to 3 decimals.
void storeTypedResults(EventData& event, int id, const ResultRows& shown, const ResultRows& typed);

} // namespace vexa
