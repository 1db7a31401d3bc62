#include "scoring/multiple_ftd.h"

#include "base/real48.h"
#include "scoring/result_order.h"

#include <algorithm>
#include <array>

namespace vexa {

Outcome MultipleFTD(EventData& event, const MultipleFtdChoice& choice) {
    constexpr int CompositeRound = MaxRounds;
    int first = choice.allRounds ? 1 : std::max(choice.first, 1);
    int last = choice.allRounds ? CompositeRound - 1 : std::min(choice.last, CompositeRound - 1);
    if (first > last) return Outcome::failure(StartAfterEndMessage);
    if (last - first + 1 < choice.roundsToScore) return Outcome::failure(TooFewRoundsMessage);

    for (int id = 1; id <= MaxCompetitors; ++id) {
        res_ent& res = event.cptres[id];
        const int b = BestRound(event, id, first, last);
        if (b == 0) {
            res.laps[CompositeRound] = res_ent::NoLaps;
            res.time[CompositeRound] = res_ent::NoTime;
            continue;
        }
        std::array<bool, MaxRounds + 1> used{};
        used[b] = true;
        int32_t laps = res.laps[b];
        double time = res.time[b];
        for (int n = 1; n < choice.roundsToScore; ++n) {
            int pick = 0;
            for (int r = first; r <= last; ++r) {
                if (used[r] || res.laps[r] < 0) continue;
                if (pick == 0 || betterResult({res.laps[r], timeKey(res.time[r])},
                                              {res.laps[pick], timeKey(res.time[pick])}))
                    pick = r;
            }
            if (pick == 0) break;
            used[pick] = true;
            laps += res.laps[pick];
            time = roundToReal48(time + res.time[pick]);
        }
        res.laps[CompositeRound] = laps;
        res.time[CompositeRound] = roundToReal48(time);
    }
    return Outcome::success();
}

} // namespace vexa
