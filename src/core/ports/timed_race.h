#pragma once

#include "model/race_driver.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vexa {

// The race as the timing equipment meets it: what a decoder record is counted into. The race
// engine gives it; timing knows nothing else of the engine.
class TimedRace {
  public:
    virtual ~TimedRace() = default;

    // ---- What timing reads
    // Whether a crossing counts now: a race is running, or cars are booked in.
    virtual bool acceptsPassings() const = 0;
    virtual bool raceRunning() const = 0;
    virtual bool bookingIn() const = 0;
    // Whether the next race is set up already, and how many races have been run.
    virtual bool setupDone() const = 0;
    virtual int completedRaces() const = 0;
    // The race being prepared or run: its entrants, and whether it is a heat, its number and
    // round.
    virtual const RaceDrivers& raceDrivers() const = 0;
    virtual bool heatRace() const = 0;
    virtual int raceNumber() const = 0;
    virtual int roundNumber() const = 0;
    // When the race clock started (the program's clock, milliseconds), and the race time now.
    virtual int64_t raceClockStartMs() const = 0;
    virtual double RaceTime() const = 0;
    // The last race-clock second at which the race takes a crossing: its length, the last lap's
    // longest time and the last start of a stagger start.
    virtual double lastCrossingSecond() const = 0;
    // The entrant of a transponder or car number, -1 when none; a car number no entrant has.
    virtual int findTransponder(int transponder) const = 0;
    virtual int findCarNumber(int carno) const = 0;
    virtual int freeCarNumber() const = 0;
    // Whether an unknown car may still join the race.
    virtual bool canAddUnknownCar() const = 0;

    // ---- What timing does to it
    // Adds an entrant; its index.
    virtual int AddDriver(int CarNo, int CompNo, int Transponder) = 0;
    // A transponder of the track's sets taken by the entrant of its car number.
    virtual void keepTransponder(int Index, int32_t transponder) = 0;
    virtual void noteDecoderReading(int Index, std::optional<int32_t> hits,
                                    std::optional<int32_t> signal) = 0;
    // A crossing at a race-clock time; one made before the entrant's last counted crossing is
    // laid out in its place when `sortRecordedPass` says so (false: it came too late).
    virtual void sortCarPass(int Index, double PassTime) = 0;
    virtual bool sortRecordedPass(int Index, double PassTime) = 0;
    virtual void DiagnosticNote(const std::string& text) const = 0;
    // The decoder is gone: laps are counted with the keys from now on.
    virtual void countingEquipmentNowManual() = 0;
    // A disabled driver whose transponder crossed the loop in the transponder test is booked
    // in: his number and "booked in" are spoken.
    virtual void announceBookedIn(int id) const = 0;
};

} // namespace vexa
