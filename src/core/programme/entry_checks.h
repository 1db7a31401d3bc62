#pragma once

#include "model/event_data.h"

#include <string>
#include <vector>

namespace vexa {

// What a double click on a finding opens.
enum class EntryProblemKind {
    Duplicate,     // the same Id in another cell of the table: nothing to open
    NoName,        // the Id names a free entry: the competitor entry window on that Id
    NoFrequency,   // the frequency allocation window for the Id
    FreqConflict,  // the frequency allocation window for the Id
    NotACompetitor // the cell holds 0, a number above 300 or no number: nothing to open
};

// One row of the entry problems grid ("Id#", "Race#", "Car#", "Name", "Problem").
struct EntryProblem {
    std::string idText; // the cell's text as typed
    int id = 0;         // the competitor's Id, 0 when the cell names none
    int race = 0;
    int slot = 0; // "Car#"
    std::string name;
    std::string problem;
    EntryProblemKind kind = EntryProblemKind::Duplicate;
};

// The entry checks ("Check") on the heats or the finals table, findings in the order they arise:
// race by race, within a race from slot 20 down to slot 1. A cell that does not hold an Id 1..300
// is reported as "Driver has no name", as a free entry is, and nothing else is read for it.
std::vector<EntryProblem> checkEntries(const EventData& event, bool heatsTable);

} // namespace vexa
