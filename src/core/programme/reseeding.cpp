#include "programme/reseeding.h"

#include "programme/frequency_allocation.h"
#include "programme/seeding_orders.h"
#include "scoring/round_points.h"

namespace vexa {

FillResult reseedTable(EventData& event, const ProgSettings& settings, const SortChoice& choice,
                       const PerRace& perrace) {
    OrderList list{};
    switch (choice.ordering) {
    case SeedOrdering::Ability:
        list = AbilitySort(event);
        break;
    case SeedOrdering::Ftd:
        list = FTDSort(event, choice.firstRound, choice.lastRound);
        break;
    case SeedOrdering::Points:
        list = RoundPoints(event, settings, choice.firstRound, choice.lastRound,
                           choice.roundsToCount, choice.includeNoScore)
                   .wholeField;
        break;
    }
    RacingTable& table = choice.heatsTable ? event.heats : event.finals;
    FillResult result = FillTableFromOrder(table, list, event, perrace, choice.includeNoScore);
    if (result.filled && choice.allocateFrequencies) freqSort(event, choice.heatsTable);
    return result;
}

bool writesOverallPageFirst(const SortChoice& choice) {
    return !choice.heatsTable && choice.ordering != SeedOrdering::Ability;
}

} // namespace vexa
