#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexa {

// The records of the scoreboard feed (the "RMonitor" format that motorsport timing displays
// read): one line each, fields separated by commas, texts quoted, ended by CR LF. A car is named
// in every record by its registration number, which is its car number in the race.

// The flag of `$F`, six characters: green while the race runs, "Finish" (the chequered flag)
// once its time is up and after it ended, yellow while the countdown to the next race is
// stopped, blanks otherwise.
enum class ScoreboardFlag { None, Green, Yellow, Finish };
const char* scoreboardFlagText(ScoreboardFlag flag);

// `$F`: the heartbeat. Laps to go (9999 when the race is not limited by laps), time to go, time
// of day, race time, flag.
struct HeartbeatRecord {
    int lapsToGo = 9999;
    int64_t timeToGoSeconds = 0;
    int64_t timeOfDayMs = 0;
    int64_t raceSeconds = 0;
    ScoreboardFlag flag = ScoreboardFlag::None;
};
std::string heartbeatRecord(const HeartbeatRecord& r);

// `$A` and `$COMP`: a car, in both forms (readers know one or the other).
struct CompetitorRecord {
    int carNumber = 0;
    int32_t transponder = 0;
    std::string firstName, lastName; // Latin-1
    int classNumber = 0;
};
std::string competitorRecords(const CompetitorRecord& r);

// `$B`: the run. `$C`: a class. `$I`: readers clear what they hold.
std::string runRecord(int number, std::string_view description);
std::string classRecord(int number, std::string_view name);
std::string initRecord(int64_t timeOfDayMs, std::string_view date);

// `$G`: a car's place, laps and total time. The laps are empty while it has none.
struct PositionRecord {
    int position = 0;
    int carNumber = 0;
    int laps = 0;
    int64_t totalMs = 0;
};
std::string positionRecord(const PositionRecord& r);

// `$H`: a car's place by its best lap, the number of that lap and its time.
struct BestLapRecord {
    int position = 0;
    int carNumber = 0;
    int lap = 0;
    int64_t lapMs = 0;
};
std::string bestLapRecord(const BestLapRecord& r);

// `$J`: a passing: the lap's time and the car's total time at the line.
struct PassingRecord {
    int carNumber = 0;
    int64_t lapMs = 0;
    int64_t totalMs = 0;
};
std::string passingRecord(const PassingRecord& r);

// A single name split into first and last name at its last blank ("Ann Marie Lee" is "Ann
// Marie", "Lee"); a name of one word is a last name.
struct SplitName {
    std::string first, last;
};
SplitName splitName(std::string_view name);

} // namespace vexa
