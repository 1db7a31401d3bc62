#pragma once

#include "model/event_data.h"
#include "model/outcome.h"

namespace vexa {

inline constexpr const char* StartAfterEndMessage =
    "The start round is greater than the end round !";
inline constexpr const char* TooFewRoundsMessage =
    "The number of rounds used for scoring is more than the number of rounds selected !";

// The "Multiple FTD" window's choices.
struct MultipleFtdChoice {
    bool allRounds = true; // "All": rounds 1..19, whatever the current round
    int first = 1;         // "Rounds" first..last, 1..19
    int last = 19;
    int roundsToScore = 2; // "Number of round to score", 2..19
};

// Adds up each competitor's best `roundsToScore` rounds of the range into round 20: first his
// best round (which needs at least one lap), then the best of the remaining rounds that have a
// result of 0 laps or more. A competitor without a best round gets "no result" in round 20.
// Every Id 1..300 is rewritten. A range that starts after it ends, or holds fewer rounds than
// are to be scored, is refused with the window's message and nothing changes. Round 20 is the
// composite's own slot, so a range is held within 1..19.
Outcome MultipleFTD(EventData& event, const MultipleFtdChoice& choice);

} // namespace vexa
