#include "scoring/final_results.h"

#include "model/table_queries.h"
#include "scoring/result_order.h"

#include <algorithm>

namespace vexa {

std::vector<FinalResult> finalResults(const EventData& event, const ProgSettings& settings,
                                      int firstFinal, int lastFinal, int round) {
    // A placed driver must beat the start value of 0 laps in 32555 s.
    constexpr LapsTime Start{0, 32555.0};
    std::vector<FinalResult> out;
    const RacingTable& table = event.finals;
    for (int f = std::max(firstFinal, 1); f <= std::min(lastFinal, MaxRaces); ++f) {
        const int first = firstDriverId(table, f);
        if (first == 0) continue;
        FinalResult fr;
        fr.final = f;
        const std::string& info = table.info(f);
        if (!info.empty()) fr.letter = info.substr(info.size() - 1);
        fr.classno = event.cpts[first].classno;
        fr.className = settings.classSetup(fr.classno).name;
        if (validRound(round)) {
            for (int slot = 1; slot <= MaxSlots; ++slot) {
                const int id = table.idAt(f, slot);
                if (id == 0) continue;
                const res_ent& res = event.cptres[id];
                const LapsTime r{res.laps[round], timeKey(res.time[round])};
                if (!betterResult(r, Start)) continue;
                const comp_ent& c = event.cpts[id];
                fr.lines.push_back({0, slot, id, r.laps, res.time[round], c.name, c.memno});
            }
            std::stable_sort(
                fr.lines.begin(), fr.lines.end(),
                [](const FinalResultLine& a, const FinalResultLine& b) {
                    return betterResult({a.laps, timeKey(a.time)}, {b.laps, timeKey(b.time)});
                });
            for (size_t i = 0; i < fr.lines.size(); ++i)
                fr.lines[i].position = static_cast<int>(i) + 1;
        }
        out.push_back(std::move(fr));
    }
    return out;
}

} // namespace vexa
