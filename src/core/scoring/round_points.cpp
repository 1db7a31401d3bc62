#include "scoring/round_points.h"

#include "scoring/participants.h"
#include "scoring/result_order.h"

#include <algorithm>
#include <array>

namespace vexa {

namespace {

// A result as the round positions compare it: a round without laps counts as no result at all,
// so a stray time typed without laps cannot lift a competitor above those who drove.
LapsTime placingResult(const res_ent& res, int round) {
    if (res.laps[round] < 0) return {-1, -1.0};
    return {res.laps[round], timeKey(res.time[round])};
}

struct Scored {
    int id = 0;
    int total = 0;
    LapsTime best; // best counted result
};

// Lowest total, then more best laps, then lower best time, then lower Id.
bool aheadOnPoints(const Scored& a, const Scored& b) {
    if (a.total != b.total) return a.total < b.total;
    if (a.best.laps != b.best.laps) return a.best.laps > b.best.laps;
    if (a.best.time != b.best.time) return a.best.time < b.best.time;
    return a.id < b.id;
}

} // namespace

PointsStandings RoundPoints(const EventData& event, const ProgSettings& settings, int first,
                            int last, int count, bool includeNoScore) {
    PointsStandings out;
    out.first = first;
    out.last = last;
    out.count = count;
    first = std::max(first, 1);
    last = std::min(last, MaxRounds);
    const int rounds = std::max(0, last - first + 1);

    const auto best = bestRounds(event, first, last);
    std::array<bool, MaxCompetitors + 1> scored{};
    std::array<std::array<int, MaxRounds>, MaxCompetitors + 1> position{};
    std::array<std::vector<int>, MaxClasses> members; // participants per class, ascending Id
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = event.cpts[id];
        scored[id] = scoringParticipant(c, best[id], includeNoScore);
        const int cls = classIndex(c);
        if (scored[id] && cls >= 0) members[cls].push_back(id);
    }

    // Round positions, class by class.
    std::vector<int> order;
    for (int cls = 0; cls < MaxClasses; ++cls) {
        for (int k = 0; k < rounds; ++k) {
            const int round = first + k;
            order = members[cls];
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                return betterResult(placingResult(event.cptres[a], round),
                                    placingResult(event.cptres[b], round));
            });
            int next = 1;
            LapsTime previous{-2, -2.0};
            for (int id : order) {
                const LapsTime r = placingResult(event.cptres[id], round);
                if (r.laps == previous.laps && r.time == previous.time) {
                    position[id][k] = next - 1;
                } else {
                    position[id][k] = next++;
                    previous = r;
                }
            }
        }
    }

    // Totals over the counted rounds.
    std::vector<Scored> all;
    std::array<Scored, MaxCompetitors + 1> byId{};
    std::vector<int> roundOrder(static_cast<size_t>(rounds));
    for (int id = 1; id <= MaxCompetitors; ++id) {
        if (!scored[id]) continue;
        const res_ent& res = event.cptres[id];
        for (int k = 0; k < rounds; ++k) roundOrder[k] = k;
        std::sort(roundOrder.begin(), roundOrder.end(), [&](int a, int b) {
            if (position[id][a] != position[id][b]) return position[id][a] < position[id][b];
            const LapsTime ra{res.laps[first + a], timeKey(res.time[first + a])};
            const LapsTime rb{res.laps[first + b], timeKey(res.time[first + b])};
            if (betterResult(ra, rb)) return true;
            if (betterResult(rb, ra)) return false;
            return a < b;
        });
        Scored s{id, 0, {0, 0.0}};
        const int counted = std::clamp(count, 0, rounds);
        for (int i = 0; i < counted; ++i) {
            const int k = roundOrder[i];
            s.total += position[id][k];
            const LapsTime r{res.laps[first + k], timeKey(res.time[first + k])};
            if (betterResult(r, s.best)) s.best = r;
        }
        byId[id] = s;
        all.push_back(s);
    }
    std::sort(all.begin(), all.end(), aheadOnPoints);

    // Mode 2: the whole field.
    for (size_t i = 0; i < all.size(); ++i) out.wholeField[i] = all[i].id;

    // Mode 1: per class.
    const auto drivers = enabledDriversPerClass(event);
    for (int cls = 0; cls < MaxClasses; ++cls) {
        if (drivers[cls] == 0) continue;
        PointsClass pc;
        pc.classno = cls;
        pc.className = settings.classSetup(cls).name;
        pc.drivers = drivers[cls];
        for (const Scored& s : all) {
            if (classIndex(event.cpts[s.id]) != cls) continue;
            PointsLine line;
            line.position = static_cast<int>(pc.lines.size()) + 1;
            line.id = s.id;
            line.name = event.cpts[s.id].name;
            line.total = s.total;
            line.bestLaps = s.best.laps;
            line.bestTime = s.best.time;
            line.roundPositions.assign(position[s.id].begin(), position[s.id].begin() + rounds);
            pc.lines.push_back(std::move(line));
        }
        out.classes.push_back(std::move(pc));
    }
    return out;
}

} // namespace vexa
