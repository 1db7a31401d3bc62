#include "output/finished_race.h"

#include "output/field_format.h"
#include "race/race_engine.h"

namespace vexa {

const RaceDriver* FinishedRace::inPosition(int p) const {
    if (p < 1 || static_cast<size_t>(p) > drivers.size()) return nullptr;
    const int e = drivers[static_cast<size_t>(p - 1)].runorder;
    if (e < 0 || static_cast<size_t>(e) >= drivers.size()) return nullptr;
    return &drivers[static_cast<size_t>(e)];
}

FinishedRace finishedRace(const RaceEngine& race) {
    return {race.race_drivers, race.RaceNumber,  race.RoundNumber, race.RaceKind == FinalRace,
            race.RaceClass,    race.FinalLetter, race.TrackMiles};
}

bool improvedOnBest(const RaceDriver& d) {
    return d.bestlapcount > 0 && betterResult(d.lapcount, d.lastpass, d.bestlapcount, d.besttime);
}

std::string averageLapText(const RaceDriver& d) {
    if (d.lapcount <= 0) return {};
    return fixed(d.lastpass / d.lapcount, 3, 3);
}

} // namespace vexa
