#include "programme/frequency_lists.h"

#include <array>

namespace vexa {

std::vector<FreqChangeLine> frequencyChanges(const EventData& event) {
    std::vector<FreqChangeLine> lines;
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = event.cpts[id];
        if (!c.inUse() || !c.isEnabled() || c.heatfreq == c.finalfreq) continue;
        std::string text = "(";
        text.append(std::to_string(id)).append(") :").append(c.name);
        lines.push_back({id, std::move(text)});
    }
    return lines;
}

std::vector<FreqCountLine> frequencyNumbers(const EventData& event, const FreqNames& freqnames) {
    std::array<int, MaxFrequencies + 1> owners{};
    for (int id = 1; id <= MaxCompetitors; ++id) {
        std::array<bool, MaxFrequencies + 1> held{};
        for (int f : event.cpts[id].ownedFreqs())
            if (f >= 1 && f <= MaxFrequencies) held[f] = true;
        for (int f = 1; f <= MaxFrequencies; ++f) owners[f] += held[f] ? 1 : 0;
    }
    std::vector<FreqCountLine> lines;
    for (int f = 1; f <= MaxFrequencies; ++f) {
        if (owners[f] == 0) continue;
        std::string text = freqnames.name(f);
        text.append(" = ");
        if (text.size() > 23) text.resize(23);
        lines.push_back({f, owners[f], text + std::to_string(owners[f])});
    }
    return lines;
}

} // namespace vexa
