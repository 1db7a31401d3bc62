#include "programme/competitor_list.h"

#include <algorithm>

namespace vexa {

std::string secondNameKey(const std::string& name) {
    const size_t blank = name.find(' ');
    if (blank == std::string::npos) return upperLatin1(name);
    return upperLatin1(name.substr(blank + 1) + " " + name.substr(0, blank));
}

std::vector<int> competitorListOrder(const EventData& event, DriverOrder order) {
    std::vector<int> ids;
    for (int id = 1; id <= MaxCompetitors; ++id)
        if (event.cpts[id].inUse()) ids.push_back(id);
    if (order == DriverOrder::IdNumber) return ids;

    std::vector<std::pair<std::string, int>> keyed;
    keyed.reserve(ids.size());
    for (int id : ids) {
        const std::string& name = event.cpts[id].name;
        keyed.emplace_back(
            order == DriverOrder::FirstName ? upperLatin1(name) : secondNameKey(name), id);
    }
    // Every name is listed, also those that sort after "ZZZ..." (accented capitals, for one).
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < keyed.size(); ++i) ids[i] = keyed[i].second;
    return ids;
}

CompetitorRow competitorListRow(int id, const EventData& event, const ProgSettings& settings,
                                const FreqNames& freqnames) {
    const comp_ent& c = event.competitor(id);
    return {std::to_string(id),
            c.name,
            settings.classText(c.classno),
            std::to_string(c.ability),
            c.memno,
            competitorFreqText(c, freqnames, settings.racingHeats),
            c.isEnabled() ? "  YES" : "   NO",
            c.transponder >= 1 ? std::to_string(c.transponder) : std::string()};
}

} // namespace vexa
