#pragma once

#include "ports/timed_race.h"

namespace vexa {

class RaceEngine;

// The race station's engine as its timing equipment meets it. The equipment is made first (the
// engine switches it), so it is handed this forwarder on the engine `engine` points at now: while
// that is none (before the engine is made, after it goes) there is no race, which takes no
// passings.
class AttachedRace : public TimedRace {
  public:
    explicit AttachedRace(RaceEngine* const& engine) : engine_(engine) {}
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
    RaceEngine* const& engine_;
};

} // namespace vexa
