#pragma once

#include "race/race_driver.h"

#include <string>

namespace vexa {

class RaceEngine;

// A race as the result outputs read it: the entrants of `race_drivers` (with their running
// order) and the race values.
struct FinishedRace {
    const RaceDrivers& drivers;
    int raceNumber = 0;
    int roundNumber = 0;
    bool final = false;
    int raceClass = 0;       // the class of the first entrant
    std::string finalLetter; // for a final
    double trackMiles = 0.0; // the track length in miles as last computed

    // The entrant in finishing position p (1-based), or nullptr when the running order does not
    // name a valid entrant there.
    const RaceDriver* inPosition(int p) const;
};

// The race the engine holds, with its own race and round numbers, table and class.
FinishedRace finishedRace(const RaceEngine& race);

// Whether an entrant improved on his best earlier result.
bool improvedOnBest(const RaceDriver& d);

// The average lap fixed(lastpass / lapcount, 3, 3), or empty when no lap was counted.
std::string averageLapText(const RaceDriver& d);

} // namespace vexa
