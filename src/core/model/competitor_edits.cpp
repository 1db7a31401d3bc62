#include "model/competitor_edits.h"

#include "model/table_queries.h"

namespace vexa {

std::string deleteCompetitorQuestion(int id) {
    return "Are you sure you want to delete competitor " + std::to_string(id) + " ?";
}

namespace {

void emptyLastPlace(RacingTable& table, int id) {
    const TablePlace place = lastPlaceOf(table, id);
    if (place.found()) table.setSlotText(place.race, place.slot, {});
}

} // namespace

void deleteCompetitor(EventData& event, int id) {
    if (!validId(id)) return;
    comp_ent& c = event.cpts[id];
    c.name.clear();
    c.ability = 0;
    c.memno.clear();
    c.classno = 0;
    c.heatfreq = 0;
    c.finalfreq = 0;
    const bool noFreq = c.noFreqNeeded();
    c.owned = {};
    c.setNoFreqNeeded(noFreq);
    c.enabled = 'Y';
    c.transponder = 0;
    emptyLastPlace(event.heats, id);
    emptyLastPlace(event.finals, id);
    event.cptres[id].clear();
}

void setAllEnabled(EventData& event, bool enabled) {
    for (int id = 1; id <= MaxCompetitors; ++id) event.cpts[id].enabled = enabled ? 'Y' : 'N';
}

} // namespace vexa
