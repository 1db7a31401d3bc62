#pragma once

#include "model/event_data.h"

#include <string>
#include <vector>

namespace vexa {

// "Crystal Changes": one line per competitor in use and enabled whose heat frequency differs from
// his final frequency, in Id order, such as "(12) :Ann Lee".
struct FreqChangeLine {
    int id = 0;
    std::string text;
};
std::vector<FreqChangeLine> frequencyChanges(const EventData& event);

// "Frequency Numbers": one line per frequency index 1..200 that at least one owned list of the
// 300 entries holds: the name and " = " cut to 23 characters, then the number of lists holding it.
struct FreqCountLine {
    int freq = 0;
    int owners = 0;
    std::string text;
};
std::vector<FreqCountLine> frequencyNumbers(const EventData& event, const FreqNames& freqnames);

} // namespace vexa
