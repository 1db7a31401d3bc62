#include "race/race_engine.h"

#include "race/sound_table.h"

#include "settings/prog_settings.h"

#include <algorithm>

namespace vexa {

void RaceEngine::announceBookedIn(int id) const {
    SpeakNumber(id);
    playwav(Sound::BookedIn);
}

RaceEngine::RaceEngine(const RaceData& data, const RacePorts& ports)
    : data_(data), ports_(ports), announcer_(ports.sound, data.settings.passBeeps),
      betweenRTimer_(ports.scheduler, true, [this] { countdownStep(); }),
      flasher_(ports.scheduler, true, [this] { flash(); }),
      startdelay_(ports.scheduler, false, [this] { startMassRace(); }),
      manualInteruptTimer_(ports.scheduler, true, [this] { clockTick(); }),
      endRaceTimer_(ports.scheduler, false, [this] { endOfRaceProcessing(); }),
      stagerStartTimer_(ports.scheduler, true, [this] { staggerCallOut(); }),
      scoreTimer_(ports.scheduler, false, [this] { scoreboardOnce(); }),
      saveRetryTimer_(ports.scheduler, true, [this] { retrySave(); }) {
    CountBeeps = data.settings.countBeeps;
}

void RaceEngine::panelChanged() {
    if (ports_.view) ports_.view->panelChanged();
}

void RaceEngine::recordCountdownOpened(bool paused) {
    const ProgSettings& s = data_.settings;
    countdownRecorded_ = true;
    if (recorder_) recorder_->countdownOpened({s.roundNumber, s.racingHeats, s.raceNumber}, paused);
}

FinishedRace RaceEngine::finishedRace() const {
    return {race_drivers, RaceNumber,  RoundNumber, RaceKind == FinalRace,
            RaceClass,    FinalLetter, TrackMiles};
}

std::vector<ScoreboardPosition> RaceEngine::scoreboardPositions() const {
    std::vector<ScoreboardPosition> positions;
    positions.reserve(race_drivers.size());
    for (size_t p = 0; p < race_drivers.size(); ++p) {
        const int e = race_drivers[p].runorder;
        if (!validIndex(e)) {
            positions.push_back({});
            continue;
        }
        positions.push_back({driver(e).carno, driver(e).leadergap, true});
    }
    return positions;
}

void RaceEngine::countingEquipmentNowManual() {
    BookingIn = false;
    if (RaceState == RaceStates::Running && !ManualKeys) KeyEnableClick();
}

void RaceEngine::noteDecoderReading(int Index, std::optional<int32_t> hits,
                                    std::optional<int32_t> signal) {
    if (!validIndex(Index)) return;
    if (hits) driver(Index).hits = *hits;
    if (signal) driver(Index).signal = *signal;
}

void RaceEngine::keepTransponder(int Index, int32_t transponder) {
    if (validIndex(Index)) driver(Index).transponder = transponder;
}

void RaceEngine::setCopies(int copies) {
    Copies = std::clamp(copies, 1, 9);
}

} // namespace vexa
