#include "station/attached_race.h"

#include "race/race_engine.h"

namespace vexa {

namespace {
const RaceDrivers NoDrivers;
} // namespace

bool AttachedRace::acceptsPassings() const {
    return engine_ && engine_->acceptsPassings();
}
bool AttachedRace::raceRunning() const {
    return engine_ && engine_->raceRunning();
}
bool AttachedRace::bookingIn() const {
    return engine_ && engine_->bookingIn();
}
bool AttachedRace::setupDone() const {
    return engine_ && engine_->setupDone();
}
int AttachedRace::completedRaces() const {
    return engine_ ? engine_->completedRaces() : 0;
}
const RaceDrivers& AttachedRace::raceDrivers() const {
    return engine_ ? engine_->raceDrivers() : NoDrivers;
}
bool AttachedRace::heatRace() const {
    return !engine_ || engine_->heatRace();
}
int AttachedRace::raceNumber() const {
    return engine_ ? engine_->raceNumber() : 0;
}
int AttachedRace::roundNumber() const {
    return engine_ ? engine_->roundNumber() : 0;
}
int64_t AttachedRace::raceClockStartMs() const {
    return engine_ ? engine_->raceClockStartMs() : 0;
}
double AttachedRace::RaceTime() const {
    return engine_ ? engine_->RaceTime() : 0.0;
}
double AttachedRace::lastCrossingSecond() const {
    return engine_ ? engine_->lastCrossingSecond() : 0.0;
}
int AttachedRace::findTransponder(int transponder) const {
    return engine_ ? engine_->findTransponder(transponder) : -1;
}
int AttachedRace::findCarNumber(int carno) const {
    return engine_ ? engine_->findCarNumber(carno) : -1;
}
int AttachedRace::freeCarNumber() const {
    return engine_ ? engine_->freeCarNumber() : 0;
}
bool AttachedRace::canAddUnknownCar() const {
    return engine_ && engine_->canAddUnknownCar();
}
int AttachedRace::AddDriver(int CarNo, int CompNo, int Transponder) {
    return engine_ ? engine_->AddDriver(CarNo, CompNo, Transponder) : -1;
}
void AttachedRace::keepTransponder(int Index, int32_t transponder) {
    if (engine_) engine_->keepTransponder(Index, transponder);
}
void AttachedRace::noteDecoderReading(int Index, std::optional<int32_t> hits,
                                      std::optional<int32_t> signal) {
    if (engine_) engine_->noteDecoderReading(Index, hits, signal);
}
void AttachedRace::sortCarPass(int Index, double PassTime) {
    if (engine_) engine_->sortCarPass(Index, PassTime);
}
bool AttachedRace::sortRecordedPass(int Index, double PassTime) {
    return engine_ && engine_->sortRecordedPass(Index, PassTime);
}
void AttachedRace::DiagnosticNote(const std::string& text) const {
    if (engine_) engine_->DiagnosticNote(text);
}
void AttachedRace::countingEquipmentNowManual() {
    if (engine_) engine_->countingEquipmentNowManual();
}
void AttachedRace::announceBookedIn(int id) const {
    if (engine_) engine_->announceBookedIn(id);
}

} // namespace vexa
