#include "programme/frequency_allocation.h"

#include "programme/find_driver.h"

namespace vexa {

namespace {

uint8_t& tableFreq(comp_ent& c, bool heatsTable) {
    return heatsTable ? c.heatfreq : c.finalfreq;
}
int tableFreq(const comp_ent& c, bool heatsTable) {
    return heatsTable ? c.heatfreq : c.finalfreq;
}

// Whether a slot of the race other than `slot` holds a driver with frequency `freq`.
bool heldByOther(const EventData& event, const RacingTable& table, bool heatsTable, int race,
                 int slot, int freq) {
    for (int other = 1; other <= MaxSlots; ++other) {
        if (other == slot) continue;
        const int id = table.idAt(race, other);
        if (id != 0 && tableFreq(event.cpts[id], heatsTable) == freq) return true;
    }
    return false;
}

int choose(const EventData& event, const RacingTable& table, bool heatsTable, int race, int slot,
           int current) {
    const comp_ent& c = event.cpts[table.idAt(race, slot)];
    const auto owned = c.ownedFreqs();
    int firstOwned = 0;
    for (int f : owned) {
        if (f < 1 || f > MaxFrequencies) continue; // a damaged list entry names no frequency
        if (firstOwned == 0) firstOwned = f;
        if (!heldByOther(event, table, heatsTable, race, slot, f)) return f;
    }
    return current == 0 ? firstOwned : current;
}

} // namespace

std::string conflictLabel(const EventData& event, int id, bool heatsTable) {
    if (!validId(id)) return {};
    const RacingTable& table = heatsTable ? event.heats : event.finals;
    const int freq = tableFreq(event.cpts[id], heatsTable);
    const TablePlace place = lastPlaceOf(table, id);
    if (freq == 0 || !place.found()) return {};
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (slot == place.slot) continue;
        const int other = table.idAt(place.race, slot);
        if (other == 0) continue;
        const comp_ent& o = event.cpts[other];
        if (!o.noFreqNeeded() && tableFreq(o, heatsTable) == freq) return "Conflict";
    }
    return {};
}

void allocateFrequenciesOnce(EventData& event, bool heatsTable) {
    const RacingTable& table = heatsTable ? event.heats : event.finals;
    for (int race = 1; race <= MaxRaces; ++race)
        for (int slot = MaxSlots; slot >= 1; --slot) {
            const int id = table.idAt(race, slot);
            if (id == 0) continue;
            uint8_t& freq = tableFreq(event.cpts[id], heatsTable);
            if (freq == 0 || heldByOther(event, table, heatsTable, race, slot, freq))
                freq = static_cast<uint8_t>(choose(event, table, heatsTable, race, slot, freq));
        }
}

void freqSort(EventData& event, bool heatsTable) {
    allocateFrequenciesOnce(event, heatsTable);
    allocateFrequenciesOnce(event, heatsTable);
}

} // namespace vexa
