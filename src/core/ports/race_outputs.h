#pragma once

namespace vexa {

class RaceEngine;

// What happens with a finished race beyond the event files: printed lap times, the race's HTML
// page, the results upload file, and the end-of-round window after the last race of a table.
// Each call gets the engine, whose `race_drivers` and race values still describe the race; the
// race is numbered by the engine's own race and round numbers (the event settings have already
// moved on to the next race when the outputs are made).
class RaceOutputs {
  public:
    virtual ~RaceOutputs() = default;
    virtual void printRaceLapTimes(const RaceEngine& race, int copies) = 0;
    virtual void writeRaceResultsPage(const RaceEngine& race) = 0;
    // The race's upload entry is written ahead before the race is stored, and put into the
    // upload file after: a crash in between neither loses nor repeats it.
    virtual void prepareUploadFile(const RaceEngine& race) = 0;
    virtual void writeUploadFile(const RaceEngine& race) = 0;
    // Shown modally after the last race of the table; the countdown is already stopped.
    virtual void showEndOfRound(const RaceEngine& race) = 0;
};

} // namespace vexa
