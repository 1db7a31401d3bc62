#pragma once

#include "model/outcome.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// One car of an open practice, by its transponder: its laps and the figures of its best.
struct PracticeRow {
    int32_t transponder = 0;
    std::string name; // the driver's, or "Unknown 4012345"
    int laps = 0;
    std::optional<double> lastLap;
    std::optional<double> bestLap;
    std::optional<double> bestLapAt; // the practice second the best lap ended
    std::optional<double> bestRun;   // the fastest run of N consecutive laps
    // Figures of the crossings so far, for the next one.
    double lastCrossing = 0.0;
    std::vector<double> run; // the last N lap times of the run under way (since its last stop)
};

// How a practice counts: laps shorter than the minimum lap time are not laps (the crossing is
// ignored), a crossing longer than the maximum last lap after the car's previous one ends its
// run (the car had stopped: the crossing starts a new run and is no lap), and runs of N
// consecutive laps are scored as the consecutive-laps race scores them.
struct PracticeRules {
    double minLap = 7.0;
    double maxLastLap = 30.0;
    int runLaps = 5; // N, the "CLRLAPS" setting
};

enum class PracticeOrder { BestLap, BestRun };

// An open practice's table: every transponder that crosses the line, a known driver by his
// name, any other as an unknown car. Nothing of it goes into the round results.
class PracticeTable {
  public:
    // `driverName` names the driver holding a transponder; empty for none.
    PracticeTable(PracticeRules rules, std::function<std::string(int32_t)> driverName);

    // A crossing of the line at practice second `seconds`. True when a best lap or a best run
    // of the car improved (a new personal best).
    bool crossing(int32_t transponder, double seconds);

    const std::vector<PracticeRow>& rows() const { return rows_; }
    // The rows in the order shown: by best lap (ties: the earlier best first), or by best run
    // (cars without a run follow, by best lap); cars without a lap last, in the order they
    // were first seen.
    std::vector<const PracticeRow*> sorted(PracticeOrder order) const;

  private:
    PracticeRules rules_;
    std::function<std::string(int32_t)> driverName_;
    std::vector<PracticeRow> rows_;
};

// `practice.csv`: a header line, then one line a car in the order given with its position,
// transponder, name, laps, last lap, best lap, best N laps and the practice second of its best
// lap; times in seconds with three decimals, empty when there is none. Lines end in CR LF.
std::string practiceCsv(const std::vector<const PracticeRow*>& rows, int runLaps);
Outcome savePracticeCsv(const std::filesystem::path& path,
                        const std::vector<const PracticeRow*>& rows, int runLaps);

} // namespace vexa
