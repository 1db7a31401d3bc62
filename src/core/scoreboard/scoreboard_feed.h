#pragma once

#include "race/race_panel.h"
#include "race/race_values.h"
#include "scoreboard/rmonitor_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vexa {

struct ProgSettings;

// What the scoreboard feed reads: the race engine's values and panel, and the settings (the
// classes' names).
struct ScoreboardRace {
    const RaceValues& values;
    const RacePanel& panel;
    const ProgSettings& settings;
};

// A moment of the computer's wall clock: the time of day and the date.
struct WallMoment {
    int64_t msOfDay = 0;
    int year = 2000, month = 1, day = 1;
};

// The scoreboard feed's records, made from the race as the race screen shows it. It follows the
// race from look to look and gives the records of what changed, so that every reader gets the
// same lines; a reader that comes later gets the whole state at once. Nothing here changes the
// race.
class ScoreboardFeed {
  public:
    // The run's number in `$B`: heats and finals, rounds and races apart (heat 3 of round 2 is
    // 102003, final 1 of round 1 is 201001).
    static int runNumber(int kind, int round, int race);

    // After a redraw notice of the race engine (none: no engine yet). A new run (another race,
    // other cars, or lap counts that fell: a restart) gives `$I`, `$B`, `$C`, `$A`/`$COMP` and
    // `$G` of every car; a car added gives its `$C`, `$A`/`$COMP`; each lap counted its `$J`;
    // then the `$G` and `$H` that changed.
    std::string observe(const ScoreboardRace* race, const WallMoment& now);
    // `$F` of the race as the last look found it.
    std::string heartbeat(const WallMoment& now) const;
    // Everything a reader that connects now needs: the run, its classes and cars, every car's
    // place and best lap, and the heartbeat.
    std::string welcome(const WallMoment& now) const;

    bool holdsRun() const { return !cars_.empty(); }
    ScoreboardFlag flag() const { return beat_.flag; }

  private:
    struct Car {
        int32_t compno = 0;
        int carNumber = 0;
        int32_t laps = 0;
        std::string competitor; // its `$A` and `$COMP`
        PositionRecord position;
        std::optional<BestLapRecord> best;
    };

    bool sameRun(const RaceValues& v) const;
    void beginRun(const ScoreboardRace& race, const WallMoment& now, std::string& out);
    void addCar(const ScoreboardRace& race, const RaceDriver& d, std::string& out);
    void passings(const RaceDrivers& drivers, std::string& out);
    void positions(const RaceDrivers& drivers, std::string& out);
    void bestLaps(const RaceDrivers& drivers, bool mass, std::string& out);
    void followClock(const ScoreboardRace& race);
    std::string runHead(const WallMoment& now) const;

    int race_ = -1, round_ = -1, kind_ = -1;
    std::string finalLetter_;
    int runNumber_ = 0;
    std::string runName_;
    std::vector<std::pair<int, std::string>> classes_;
    std::vector<Car> cars_; // by entrant index
    HeartbeatRecord beat_;
    bool wasRunning_ = false;
    bool ended_ = false;
};

} // namespace vexa
