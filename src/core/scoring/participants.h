#pragma once

#include "model/event_data.h"

#include <array>

namespace vexa {

// Whether a competitor is scored over a range whose best round for him is `bestRound`: he is in
// use, enabled, and either the include-no-score option is on or he has a best round. His class
// is the caller's question.
bool scoringParticipant(const comp_ent& c, int bestRound, bool includeNoScore);

// Per class 0..30, the number of competitors who are in use and enabled. The per-class rankings
// list exactly the classes where this is at least 1.
std::array<int, MaxClasses> enabledDriversPerClass(const EventData& event);

// The best round of every Id over first..last (index 1..300).
std::array<int, MaxCompetitors + 1> bestRounds(const EventData& event, int first, int last);

// The class of a competitor as an index 0..30, or -1 when the entry holds no valid class.
int classIndex(const comp_ent& c);

} // namespace vexa
