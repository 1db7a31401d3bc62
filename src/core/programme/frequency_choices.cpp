#include "programme/frequency_choices.h"

#include <algorithm>

namespace vexa {

std::vector<FreqChoice> frequencyChoices(int current, const std::vector<int>& checked,
                                         const FreqNames& freqnames) {
    std::vector<FreqChoice> items;
    const bool named = current >= 1 && current <= MaxFrequencies;
    items.push_back({named ? current : 0, freqnames.name(current)});
    std::vector<int> sorted;
    for (int f : checked)
        if (f >= 1 && f <= MaxFrequencies) sorted.push_back(f);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (int f : sorted) items.push_back({f, freqnames.name(f)});
    return items;
}

void chooseFrequency(comp_ent& competitor, bool heatsTable, int freq) {
    const auto f = static_cast<uint8_t>(freq >= 1 && freq <= MaxFrequencies ? freq : 0);
    (heatsTable ? competitor.heatfreq : competitor.finalfreq) = f;
}

} // namespace vexa
