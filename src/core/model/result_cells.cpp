#include "model/result_cells.h"

#include "base/plain_text.h"
#include "base/whole_number.h"
#include "model/event_data.h"

#include <charconv>
#include <cmath>

namespace vexa {

ResultCells resultCells(const res_ent& res, int round) {
    ResultCells cells;
    if (!validRound(round)) return cells;
    if (res.laps[round] > -1) cells.laps = std::to_string(res.laps[round]);
    if (res.time[round] > -1.0) {
        // Formatted without the C locale's decimal comma, whatever the desktop's language.
        char buf[64];
        const auto done =
            std::to_chars(buf, buf + sizeof buf, res.time[round], std::chars_format::fixed, 3);
        std::string text(buf, done.ptr);
        if (text.size() < 5) text.insert(0, 5 - text.size(), ' ');
        cells.time = std::move(text);
    }
    return cells;
}

ResultRows resultRows(const res_ent& res) {
    ResultRows rows;
    for (int r = 1; r <= MaxRounds; ++r) rows[r] = resultCells(res, r);
    return rows;
}

int32_t typedLaps(const std::string& text) {
    return parseWholeNumber(text).value_or(res_ent::NoLaps);
}

double typedTime(const std::string& text) {
    const std::string t = trimBlanks(text);
    if (t.empty()) return res_ent::NoTime;
    double value = 0.0;
    const auto done = std::from_chars(t.data(), t.data() + t.size(), value);
    if (done.ec != std::errc() || done.ptr != t.data() + t.size() || !std::isfinite(value))
        return res_ent::NoTime;
    return value;
}

void storeTypedResults(EventData& event, int id, const ResultRows& shown, const ResultRows& typed) {
    if (!validId(id)) return;
    const res_ent& res = event.cptres[id];
    for (int r = 1; r <= MaxRounds; ++r) {
        const int32_t laps =
            typed[r].laps == shown[r].laps ? res.laps[r] : typedLaps(typed[r].laps);
        if (typed[r].time == shown[r].time)
            event.cptres[id].laps[r] = laps;
        else
            event.storeResult(id, r, laps, typedTime(typed[r].time));
    }
}

} // namespace vexa
