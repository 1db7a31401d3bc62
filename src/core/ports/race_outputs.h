#pragma once

#include "model/finished_race.h"

namespace vexa {

// What happens with a finished race beyond the event files: printed lap times, the race's HTML
// page, the results upload file, and the end-of-round window after the last race of a table.
class RaceOutputs {
  public:
    virtual ~RaceOutputs() = default;
    // The race numbered as the engine ran it.
    virtual void printRaceLapTimes(const FinishedRace& race, int copies) = 0;
    // The race numbered by the settings' current race number, round and table.
    virtual void writeRaceResultsPage(const FinishedRace& race) = 0;
    virtual void writeUploadFile(const FinishedRace& race) = 0;
    // Shown modally after the last race of the table (of round `roundNumber`); the countdown is
    // already stopped.
    virtual void showEndOfRound(int roundNumber) = 0;
};

} // namespace vexa
