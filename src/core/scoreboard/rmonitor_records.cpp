#include "scoreboard/rmonitor_records.h"

#include "scoreboard/rmonitor_fields.h"

namespace vexa {

namespace {

constexpr std::string_view LineEnd = "\r\n";

std::string carText(int carNumber) {
    return rmonitorText(std::to_string(carNumber));
}

bool blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

const char* scoreboardFlagText(ScoreboardFlag flag) {
    switch (flag) {
    case ScoreboardFlag::Green:
        return "Green ";
    case ScoreboardFlag::Yellow:
        return "Yellow";
    case ScoreboardFlag::Finish:
        return "Finish";
    case ScoreboardFlag::None:
        break;
    }
    return "      ";
}

std::string heartbeatRecord(const HeartbeatRecord& r) {
    return "$F," + std::to_string(r.lapsToGo) + ',' +
           rmonitorText(rmonitorClock(r.timeToGoSeconds)) + ',' +
           rmonitorText(rmonitorClock(r.timeOfDayMs / 1000)) + ',' +
           rmonitorText(rmonitorClock(r.raceSeconds)) + ',' +
           rmonitorText(scoreboardFlagText(r.flag)) + std::string(LineEnd);
}

std::string competitorRecords(const CompetitorRecord& r) {
    const std::string car = carText(r.carNumber);
    const std::string first = rmonitorText(r.firstName);
    const std::string last = rmonitorText(r.lastName);
    const std::string classNumber = std::to_string(r.classNumber);
    std::string out = "$A," + car + ',' + car + ',' + std::to_string(r.transponder) + ',' + first +
                      ',' + last + ",\"\"," + classNumber + std::string(LineEnd);
    out += "$COMP," + car + ',' + car + ',' + classNumber + ',' + first + ',' + last +
           ",\"\",\"\"" + std::string(LineEnd);
    return out;
}

std::string runRecord(int number, std::string_view description) {
    return "$B," + std::to_string(number) + ',' + rmonitorText(description) + std::string(LineEnd);
}

std::string classRecord(int number, std::string_view name) {
    return "$C," + std::to_string(number) + ',' + rmonitorText(name) + std::string(LineEnd);
}

std::string initRecord(int64_t timeOfDayMs, std::string_view date) {
    return "$I," + rmonitorText(rmonitorTime(timeOfDayMs)) + ',' + rmonitorText(date) +
           std::string(LineEnd);
}

std::string positionRecord(const PositionRecord& r) {
    return "$G," + std::to_string(r.position) + ',' + carText(r.carNumber) + ',' +
           (r.laps > 0 ? std::to_string(r.laps) : std::string{}) + ',' +
           rmonitorText(rmonitorTime(r.totalMs)) + std::string(LineEnd);
}

std::string bestLapRecord(const BestLapRecord& r) {
    return "$H," + std::to_string(r.position) + ',' + carText(r.carNumber) + ',' +
           std::to_string(r.lap) + ',' + rmonitorText(rmonitorTime(r.lapMs)) + std::string(LineEnd);
}

std::string passingRecord(const PassingRecord& r) {
    return "$J," + carText(r.carNumber) + ',' + rmonitorText(rmonitorTime(r.lapMs)) + ',' +
           rmonitorText(rmonitorTime(r.totalMs)) + std::string(LineEnd);
}

SplitName splitName(std::string_view name) {
    name = trimmed(name);
    size_t cut = name.size();
    while (cut > 0 && !blank(name[cut - 1])) --cut;
    if (cut == 0) return {{}, std::string(name)};
    return {std::string(trimmed(name.substr(0, cut))), std::string(name.substr(cut))};
}

} // namespace vexa
