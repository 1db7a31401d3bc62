#pragma once

#include "model/event_data.h"

#include <string>
#include <vector>

namespace vexa {

// One item of a frequency drop-down: the frequency index (0 = none) and the name shown.
struct FreqChoice {
    int freq = 0;
    std::string name;
};

// The items of the heat and final frequency drop-downs of the allocation window and of the
// database editor's "Preferred Frequency": first the current frequency (an empty item when it
// names none), then the names of the checked frequencies in index order. The first item is the
// one selected.
std::vector<FreqChoice> frequencyChoices(int current, const std::vector<int>& checked,
                                         const FreqNames& freqnames);

// The allocation window's drop-downs: choosing an item makes its frequency the competitor's heat
// frequency (heats group) or final frequency (finals group); an index outside 1..200 is none.
void chooseFrequency(comp_ent& competitor, bool heatsTable, int freq);

} // namespace vexa
