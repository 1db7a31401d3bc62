#include "race/practice_table.h"

#include "base/real48.h"
#include "files/file_io.h"

#include <algorithm>
#include <cstdio>

namespace vexa {

namespace {

std::string seconds(const std::optional<double>& t) {
    if (!t) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", *t);
    return text;
}

// A name as one CSV field: quoted when it holds a comma or a quote.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

PracticeTable::PracticeTable(PracticeRules rules, std::function<std::string(int32_t)> driverName)
    : rules_(rules), driverName_(std::move(driverName)) {
    rules_.runLaps = std::max(rules_.runLaps, 1);
}

bool PracticeTable::crossing(int32_t transponder, double at) {
    auto row = std::find_if(rows_.begin(), rows_.end(), [transponder](const PracticeRow& r) {
        return r.transponder == transponder;
    });
    if (row == rows_.end()) {
        PracticeRow seen;
        seen.transponder = transponder;
        seen.name = driverName_ ? driverName_(transponder) : std::string{};
        if (seen.name.empty()) seen.name = "Unknown " + std::to_string(transponder);
        seen.lastCrossing = at;
        rows_.push_back(std::move(seen));
        return false;
    }
    const double lap = roundToReal48(at - row->lastCrossing);
    if (lap < rules_.minLap) return false; // too soon after the last: no lap
    row->lastCrossing = at;
    if (lap > rules_.maxLastLap) { // the car had stopped: a new run starts here
        row->run.clear();
        return false;
    }
    ++row->laps;
    row->lastLap = lap;
    row->run.push_back(lap);
    if (row->run.size() > static_cast<size_t>(rules_.runLaps)) row->run.erase(row->run.begin());
    bool improved = false;
    if (!row->bestLap || lap < *row->bestLap) {
        row->bestLap = lap;
        row->bestLapAt = at;
        improved = true;
    }
    // The one new run is the N laps that end with this one; its sum is rounded to the stored
    // precision as the consecutive-laps race rounds it, and an equal run keeps the earlier.
    if (row->run.size() >= static_cast<size_t>(rules_.runLaps)) {
        double sum = 0.0;
        for (auto t = row->run.end() - rules_.runLaps; t != row->run.end(); ++t) sum += *t;
        const double run = roundToReal48(sum);
        if (!row->bestRun || run < *row->bestRun) {
            row->bestRun = run;
            improved = true;
        }
    }
    return improved;
}

std::vector<const PracticeRow*> PracticeTable::sorted(PracticeOrder order) const {
    std::vector<const PracticeRow*> out;
    for (const PracticeRow& r : rows_) out.push_back(&r);
    // A missing figure sorts after every present one; equal figures keep the order first seen.
    const auto before = [](const std::optional<double>& a, const std::optional<double>& b) {
        if (a.has_value() != b.has_value()) return a.has_value();
        return a && *a < *b;
    };
    std::stable_sort(out.begin(), out.end(), [&](const PracticeRow* a, const PracticeRow* b) {
        if (order == PracticeOrder::BestRun) {
            if (before(a->bestRun, b->bestRun)) return true;
            if (before(b->bestRun, a->bestRun)) return false;
        }
        if (before(a->bestLap, b->bestLap)) return true;
        if (before(b->bestLap, a->bestLap)) return false;
        return before(a->bestLapAt, b->bestLapAt);
    });
    return out;
}

std::string practiceCsv(const std::vector<const PracticeRow*>& rows, int runLaps) {
    std::string text = "Pos,Transponder,Name,Laps,Last Lap,Best Lap,Best " +
                       std::to_string(runLaps) + " Laps,Best Lap At\r\n";
    int pos = 0;
    for (const PracticeRow* r : rows)
        text += std::to_string(++pos) + "," + std::to_string(r->transponder) + "," +
                csvField(r->name) + "," + std::to_string(r->laps) + "," + seconds(r->lastLap) +
                "," + seconds(r->bestLap) + "," + seconds(r->bestRun) + "," +
                seconds(r->bestLapAt) + "\r\n";
    return text;
}

Outcome savePracticeCsv(const std::filesystem::path& path,
                        const std::vector<const PracticeRow*>& rows, int runLaps) {
    return writeFileAtomic(path, practiceCsv(rows, runLaps));
}

} // namespace vexa
