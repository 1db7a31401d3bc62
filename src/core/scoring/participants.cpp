#include "scoring/participants.h"

namespace vexa {

bool scoringParticipant(const comp_ent& c, int bestRound, bool includeNoScore) {
    return c.inUse() && c.isEnabled() && (includeNoScore || bestRound != 0);
}

std::array<int, MaxClasses> enabledDriversPerClass(const EventData& event) {
    std::array<int, MaxClasses> count{};
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = event.cpts[id];
        const int cls = classIndex(c);
        if (cls >= 0 && c.inUse() && c.isEnabled()) ++count[cls];
    }
    return count;
}

std::array<int, MaxCompetitors + 1> bestRounds(const EventData& event, int first, int last) {
    std::array<int, MaxCompetitors + 1> best{};
    for (int id = 1; id <= MaxCompetitors; ++id) best[id] = BestRound(event, id, first, last);
    return best;
}

int classIndex(const comp_ent& c) {
    return c.classno >= 0 && c.classno < MaxClasses ? c.classno : -1;
}

} // namespace vexa
