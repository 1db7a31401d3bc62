#pragma once

#include "model/finished_race.h"

namespace vexa {

// What happens with a finished race beyond the event files: printed lap times, the race's HTML
// page, the results upload file, and the end-of-round window after the last race of a table.
// The race comes numbered as the engine ran it: the event settings have already moved on to the
// next race when the outputs are made.
class RaceOutputs {
  public:
    virtual ~RaceOutputs() = default;
    virtual void printRaceLapTimes(const FinishedRace& race, int copies) = 0;
    virtual void writeRaceResultsPage(const FinishedRace& race) = 0;
    // The race's upload entry is written ahead before the race is stored, and put into the
    // upload file after: a crash in between neither loses nor repeats it.
    virtual void prepareUploadFile(const FinishedRace& race) = 0;
    virtual void writeUploadFile(const FinishedRace& race) = 0;
    // Shown modally after the last race of the table (of round `roundNumber`); the countdown is
    // already stopped.
    virtual void showEndOfRound(int roundNumber) = 0;
};

} // namespace vexa
