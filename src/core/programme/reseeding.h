#pragma once

#include "model/event_data.h"
#include "programme/table_fill.h"
#include "settings/prog_settings.h"

namespace vexa {

// The ordering chosen on the sort table window.
enum class SeedOrdering {
    Ability, // "Ability Level"
    Ftd,     // "Results" with "FTD"
    Points   // "Results" with "RbyR / Points"
};

// The choices of the sort table window.
struct SortChoice {
    bool heatsTable = true; // "Heat / Qualifier Table" or "Finals / Mains Table"
    SeedOrdering ordering = SeedOrdering::Ftd;
    int firstRound = 1; // "Round(s)" ... "to"
    int lastRound = 1;
    int roundsToCount = 1;           // "Rounds to count" (points only)
    bool includeNoScore = true;      // "Include drivers with no scores"
    bool allocateFrequencies = true; // "Allocated frequencies"
};

// "&OK" of the heat sort control: the chosen ordering (AbilitySort, FTDSort or RoundPoints'
// whole-field order), the table fill with the plan's drivers per race, and, when chosen and the
// fill was not refused, the automatic frequency allocation of that table twice.
FillResult reseedTable(EventData& event, const ProgSettings& settings, const SortChoice& choice,
                       const PerRace& perrace);

// Whether "&Next >" writes the overall results page for the round range first: a finals table
// rebuilt from results.
bool writesOverallPageFirst(const SortChoice& choice);

} // namespace vexa
