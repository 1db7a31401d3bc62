#pragma once

#include "model/event_data.h"
#include "settings/prog_settings.h"

#include <string>
#include <vector>

namespace vexa {

// One line of the fastest-time-of-day order of a class.
struct FtdLine {
    int position = 0; // running number within the class
    int id = 0;
    std::string name;
    int bestRound = 0; // 0 when the competitor has no round with a lap
    int laps = 0;      // of the best round; 0 when there is none
    double time = 0.0; // of the best round; 0.0 when there is none (shown as "NO TIME")
};

struct FtdClass {
    int classno = 0;
    std::string className;
    int drivers = 0; // the class's competitors who are in use and enabled
    std::vector<FtdLine> lines;
};

// The FTD order over rounds first..last, per class with at least one enabled competitor in use:
// each scoring participant is judged by his single best round (more laps, then the shorter
// time, then the lower Id). Those without a best round (listed only with the include-no-score
// option) follow everybody with one, in Id order. Ranking over 20..20 after a multiple FTD
// calculation ranks by the composite.
struct FtdStandings {
    int first = 0;
    int last = 0;
    std::vector<FtdClass> classes;
};

FtdStandings ftdStandings(const EventData& event, const ProgSettings& settings, int first, int last,
                          bool includeNoScore);

} // namespace vexa
