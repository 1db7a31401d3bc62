#include "scoring/ftd_standings.h"

#include "scoring/participants.h"
#include "scoring/result_order.h"

#include <algorithm>

namespace vexa {

FtdStandings ftdStandings(const EventData& event, const ProgSettings& settings, int first, int last,
                          bool includeNoScore) {
    FtdStandings out;
    out.first = first;
    out.last = last;
    const auto best = bestRounds(event, first, last);
    const auto drivers = enabledDriversPerClass(event);

    std::array<FtdClass*, MaxClasses> byClass{};
    for (int cls = 0; cls < MaxClasses; ++cls) {
        if (drivers[cls] == 0) continue;
        out.classes.push_back({cls, settings.classSetup(cls).name, drivers[cls], {}});
    }
    for (auto& fc : out.classes) byClass[fc.classno] = &fc;

    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = event.cpts[id];
        const int cls = classIndex(c);
        if (cls < 0 || !byClass[cls] || !scoringParticipant(c, best[id], includeNoScore)) continue;
        FtdLine line;
        line.id = id;
        line.name = c.name;
        line.bestRound = best[id];
        if (best[id] != 0) {
            line.laps = event.cptres[id].laps[best[id]];
            line.time = event.cptres[id].time[best[id]];
        }
        byClass[cls]->lines.push_back(std::move(line));
    }
    for (auto& fc : out.classes) {
        std::stable_sort(fc.lines.begin(), fc.lines.end(), [](const FtdLine& a, const FtdLine& b) {
            return betterResult({a.laps, timeKey(a.time)}, {b.laps, timeKey(b.time)});
        });
        for (size_t i = 0; i < fc.lines.size(); ++i) fc.lines[i].position = static_cast<int>(i) + 1;
    }
    return out;
}

} // namespace vexa
