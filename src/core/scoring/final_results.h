#pragma once

#include "model/event_data.h"
#include "settings/prog_settings.h"

#include <string>
#include <vector>

namespace vexa {

// One placed driver of a final.
struct FinalResultLine {
    int position = 0; // running number
    int slot = 0;     // the car number in the final
    int id = 0;
    int laps = 0;
    double time = 0.0;
    std::string name;
    std::string memno;
};

struct FinalResult {
    int final = 0;      // the race number in the finals table
    std::string letter; // the last character of the information text; empty when it is empty
    int classno = 0;    // of the final's first driver
    std::string className;
    std::vector<FinalResultLine> lines;
};

// The results of finals first..last, each ranked by the drivers' results in one round: more
// laps, then the shorter time, then the lower slot. A driver without a result in that round
// (laps -1) is not placed; finals without a driver are left out.
std::vector<FinalResult> finalResults(const EventData& event, const ProgSettings& settings,
                                      int firstFinal, int lastFinal, int round);

} // namespace vexa
