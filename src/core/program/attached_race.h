#pragma once

#include "ports/timed_race.h"

#include <memory>

namespace vexa {

class RaceEngine;

// The program's race engine as the timing equipment meets it, whichever engine is attached now:
// before one is attached (or after it is dropped) there is no race, which takes no passings.
class AttachedRace : public TimedRace {
  public:
    explicit AttachedRace(const std::unique_ptr<RaceEngine>& engine) : engine_(engine) {}
    AttachedRace(const AttachedRace&) = delete;
    AttachedRace& operator=(const AttachedRace&) = delete;

    bool acceptsPassings() const override;
    bool raceRunning() const override;
    bool bookingIn() const override;
    bool setupDone() const override;
    int completedRaces() const override;
    const RaceDrivers& raceDrivers() const override;
    bool heatRace() const override;
    int raceNumber() const override;
    int roundNumber() const override;
    int64_t raceClockStartMs() const override;
    double RaceTime() const override;
    double lastCrossingSecond() const override;
    int findTransponder(int transponder) const override;
    int findCarNumber(int carno) const override;
    int freeCarNumber() const override;
    bool canAddUnknownCar() const override;
    int AddDriver(int CarNo, int CompNo, int Transponder) override;
    void keepTransponder(int Index, int32_t transponder) override;
    void noteDecoderReading(int Index, std::optional<int32_t> hits,
                            std::optional<int32_t> signal) override;
    void sortCarPass(int Index, double PassTime) override;
    bool sortRecordedPass(int Index, double PassTime) override;
    void DiagnosticNote(const std::string& text) const override;
    void countingEquipmentNowManual() override;
    void announceBookedIn(int id) const override;

  private:
    const std::unique_ptr<RaceEngine>& engine_;
};

} // namespace vexa
