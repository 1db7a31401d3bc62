#include "programme/seeding_orders.h"

#include "scoring/result_order.h"

#include <algorithm>
#include <numeric>

namespace vexa {

OrderList AbilitySort(const EventData& event) {
    OrderList list;
    std::iota(list.begin(), list.end(), 1);
    std::stable_sort(list.begin(), list.end(),
                     [&](int a, int b) { return event.cpts[a].ability > event.cpts[b].ability; });
    return list;
}

OrderList FTDSort(const EventData& event, int first, int last) {
    std::array<LapsTime, MaxCompetitors + 1> result{};
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const int b = BestRound(event, id, first, last);
        if (b != 0) result[id] = {event.cptres[id].laps[b], timeKey(event.cptres[id].time[b])};
    }
    OrderList list;
    std::iota(list.begin(), list.end(), 1);
    std::stable_sort(list.begin(), list.end(),
                     [&](int a, int b) { return betterResult(result[a], result[b]); });
    return list;
}

} // namespace vexa
