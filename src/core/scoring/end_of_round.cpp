#include "scoring/end_of_round.h"

#include <algorithm>

namespace vexa {

std::string endOfRoundText(const ProgSettings& settings) {
    return "Round " + std::to_string(settings.roundNumber) + " of the " +
           (settings.racingHeats ? "Heats" : "Finals") + " has ended";
}

void advanceRound(ProgSettings& settings) {
    settings.roundNumber = std::clamp(settings.roundNumber + 1, 1, MaxRounds);
    settings.raceNumber = 1;
}

Outcome canEnterFinals(const ProgSettings& settings) {
    if (!settings.racingHeats) return Outcome::failure(AlreadyInFinalModeMessage);
    return Outcome::success();
}

void enterFinals(EventData& event, ProgSettings& settings) {
    for (int id = 1; id <= MaxCompetitors; ++id) event.cpts[id].finalfreq = event.cpts[id].heatfreq;
    settings.racingHeats = false;
}

} // namespace vexa
