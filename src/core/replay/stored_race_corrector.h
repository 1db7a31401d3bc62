#pragma once

#include "base/local_moment.h"
#include "journal/race_corrections.h"
#include "model/outcome.h"
#include "replay/journal_replay.h"
#include "replay/race_correction.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// A stored race the race director can correct: its journal and how it reads in a list.
struct StoredRaceChoice {
    std::filesystem::path journal;
    std::string caption; // "Heat 3, Round 2"
};

// One passing that counted a lap, as the race's journal gives it.
struct CountedPassing {
    int car = 0;
    std::string driver;
    int lap = 0;
    double raceSeconds = 0.0;       // from the race's start
    int32_t unknownTransponder = 0; // an unknown car's transponder; 0 for a driver's car
};

// A car's result in the race as it is stored.
struct CarResult {
    int car = 0;
    int id = 0; // the competitor
    std::string driver;
    int laps = -1; // -1: no result
    double time = 0.0;
};

// The correction the race director asks for, as typed: the car, the selected passing's lap, and
// the texts of the race second of a missed lap and of laps and time set by hand.
struct CorrectionRequest {
    Correction::Kind kind = Correction::Kind::RemovePassing;
    int car = 0;
    std::optional<int> selectedLap; // the lap of the selected passing of `car`
    std::string lapSeconds;         // a missed lap's race second
    std::string laps;               // laps set by hand
    std::string time;               // time in seconds set by hand
    // Giving an unknown car's laps to a driver: the unknown car's transponder (from the selected
    // passing) and the car of the driver whose laps they were.
    int32_t transponder = 0;
    int driverCar = 0;
};

// The correction a request asks for, or why it cannot be one (a message for the operator).
struct RequestedCorrection {
    std::optional<Correction> correction;
    std::string message;
};
RequestedCorrection requestedCorrection(const CorrectionRequest& request);

// The stored races of an event folder (the races whose journal ends with their results
// stored), newest first.
std::vector<StoredRaceChoice> storedRaces(const std::filesystem::path& eventDir);

// The view and the operations of correcting the stored races of an open event: choose one of
// them, read its passings and results, make a correction with a reason.
class StoredRaceCorrector {
  public:
    StoredRaceCorrector(std::filesystem::path eventDir, JournalEventOpener openEvent,
                        std::function<LocalMoment()> now);
    ~StoredRaceCorrector();

    const std::vector<StoredRaceChoice>& races() const { return races_; }
    // Opens the race at `index` of races(): its passings and results are read from its journal
    // with the corrections made so far.
    Outcome choose(size_t index);
    const std::vector<CountedPassing>& passings() const { return passings_; }
    const std::vector<CarResult>& results() const { return results_; }
    // What opening the chosen race told besides (kept corrections that no longer apply...).
    const std::vector<std::string>& notes() const { return notes_; }

    // Makes the correction on the chosen race (see correctStoredRace); the passings and results
    // are read again after it.
    RaceCorrectionResult apply(const CorrectionRequest& request, const std::string& reason);

  private:
    void readView();

    std::filesystem::path eventDir_;
    JournalEventOpener openEvent_;
    std::function<LocalMoment()> now_;
    std::vector<StoredRaceChoice> races_;
    std::unique_ptr<JournalReplay> replay_;
    std::vector<CountedPassing> passings_;
    std::vector<CarResult> results_;
    std::vector<std::string> notes_;
};

} // namespace vexa
