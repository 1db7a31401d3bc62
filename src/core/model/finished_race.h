#pragma once

#include "model/race_driver.h"

#include <string>

namespace vexa {

// A race as the result outputs read it: the entrants (with their running order) and the race
// values that name it.
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
    const RaceDriver* inPosition(int p) const {
        if (p < 1 || static_cast<size_t>(p) > drivers.size()) return nullptr;
        const int e = drivers[static_cast<size_t>(p - 1)].runorder;
        if (e < 0 || static_cast<size_t>(e) >= drivers.size()) return nullptr;
        return &drivers[static_cast<size_t>(e)];
    }
};

// Whether an entrant improved on his best earlier result.
inline bool improvedOnBest(const RaceDriver& d) {
    return d.bestlapcount > 0 && betterResult(d.lapcount, d.lastpass, d.bestlapcount, d.besttime);
}

} // namespace vexa
