#include "programme/heat_sort_plan.h"

#include "base/whole_number.h"
#include "scoring/participants.h"
#include "settings/ini_file.h"

namespace vexa {

RaceSplit racesAndInLast(int n, int p) {
    if (p < 1) return {};
    RaceSplit s{n / p, p};
    if (n > p * s.races) {
        s.inLast = n - p * s.races;
        ++s.races;
    }
    if (s.races == 1) s.inLast = n;
    return s;
}

HeatSortPlan openHeatSortPlan(const EventData& event, const ProgSettings& settings,
                              bool includeNoScore) {
    HeatSortPlan plan;
    plan.perrace.fill(DefaultPerRace);
    std::array<int, MaxClasses> count{};
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const int cls = classIndex(event.cpts[id]);
        if (cls >= 0 && eligibleForFill(event, id, includeNoScore)) ++count[cls];
    }
    for (int cls = 0; cls < MaxClasses; ++cls) {
        if (count[cls] == 0) continue;
        plan.rows.push_back({cls, settings.classText(cls), count[cls], DefaultPerRace,
                             racesAndInLast(count[cls], DefaultPerRace)});
    }
    return plan;
}

Outcome updatePerRace(HeatSortPlan& plan, const std::vector<std::string>& perRaceCells) {
    for (size_t i = 0; i < plan.rows.size() && i < perRaceCells.size(); ++i) {
        HeatSortRow& row = plan.rows[i];
        int value = DefaultPerRace;
        if (!perRaceCells[i].empty()) {
            const auto parsed = parseWholeNumber(perRaceCells[i]);
            if (!parsed) return Outcome::failure("'" + perRaceCells[i] + "' is not a whole number");
            if (*parsed < 1 || *parsed > MaxSlots) return Outcome::failure(PerRaceRangeMessage);
            value = *parsed;
        }
        row.perRace = value;
        row.split = racesAndInLast(row.total, value);
        plan.perrace[row.classno] = value;
    }
    return Outcome::success();
}

} // namespace vexa
