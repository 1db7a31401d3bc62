#include "model/event_data.h"

#include "base/real48.h"

#include <algorithm>

namespace vexa {

const std::string& FreqNames::name(int f) const {
    if (f < 1 || f > MaxFrequencies) return names[0];
    return names[static_cast<size_t>(f)];
}

void FreqNames::clear() {
    for (auto& n : names) n.clear();
}

void EventData::initialise() {
    for (auto& c : cpts) c = comp_ent{};
    heats.clear();
    finals.clear();
    clearResults();
}

void EventData::clearResults() {
    for (auto& r : cptres) r.clear();
}

void EventData::storeResult(int id, int round, int laps, double time) {
    if (!validId(id) || !validRound(round)) return;
    cptres[id].laps[round] = laps;
    cptres[id].time[round] = roundToReal48(time);
}

int EventData::firstFreeId() const {
    for (int id = 1; id <= MaxCompetitors; ++id)
        if (!cpts[id].inUse()) return id;
    return 0;
}

int BestRound(const EventData& event, int id, int first, int last) {
    if (!validId(id)) return 0;
    const res_ent& res = event.cptres[id];
    int bestLaps = 0;
    double bestTime = 0.0;
    int best = 0;
    for (int r = std::max(first, 1); r <= std::min(last, MaxRounds); ++r) {
        // A round needs at least one lap to count at all.
        if (res.laps[r] < 1) continue;
        if (res.laps[r] > bestLaps || (res.laps[r] == bestLaps && res.time[r] < bestTime)) {
            bestLaps = res.laps[r];
            bestTime = res.time[r];
            best = r;
        }
    }
    return best;
}

std::string competitorFreqText(const comp_ent& c, const FreqNames& freqnames, bool racingHeats,
                               const std::string& whenNone) {
    if (c.noFreqNeeded()) return "Not Req/2.4Ghz";
    const int f = racingHeats ? c.heatfreq : c.finalfreq;
    if (f < 1 || f > MaxFrequencies) return whenNone;
    return freqnames.name(f);
}

} // namespace vexa
