#pragma once

#include <cstdint>
#include <vector>

namespace vexa {

// Which race: the round, the table (heats or finals) and the race number in it.
struct RecordedRace {
    int round = 0;
    bool heats = true;
    int race = 0;
};

// An entrant of a race as it was set up: the car number (its slot), the competitor (0 for an
// unknown car) and the competitor's result in the race's round before the race.
struct RecordedEntrant {
    int slot = 0;
    int id = 0;
    int laps = -1;
    double time = -1.0;
};

// Whatever keeps a record of each race (the race journal) hears of the moments of a race's life
// from the race engine: the countdown to a race opening, the race's set-up, its end and its
// results being stored. The inputs themselves are written down by whoever hands them to the
// engine, before it acts on them.
class RaceRecorder {
  public:
    virtual ~RaceRecorder() = default;
    // The countdown to `race` opens: running as a race screen opened afresh, or `paused` (after
    // the end of a round, where it stood still while the round moved on).
    virtual void countdownOpened(const RecordedRace& race, bool paused) = 0;
    virtual void raceSetUp(const RecordedRace& race,
                           const std::vector<RecordedEntrant>& entrants) = 0;
    virtual void raceEnded() = 0;
    // The results are stored and the event's files written.
    virtual void raceStored() = 0;
};

} // namespace vexa
