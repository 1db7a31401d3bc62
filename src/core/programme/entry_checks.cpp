#include "programme/entry_checks.h"

#include <array>

namespace vexa {

namespace {

int tableFreq(const comp_ent& c, bool heatsTable) {
    return heatsTable ? c.heatfreq : c.finalfreq;
}

} // namespace

std::vector<EntryProblem> checkEntries(const EventData& event, bool heatsTable) {
    const RacingTable& table = heatsTable ? event.heats : event.finals;
    const std::string alsoIn = heatsTable ? "is also in Heat:" : "is also in Final:";
    std::vector<EntryProblem> found;
    std::array<std::array<int, MaxSlots + 1>, MaxRaces + 1> ids{};
    for (int race = 1; race <= MaxRaces; ++race)
        for (int slot = 1; slot <= MaxSlots; ++slot) ids[race][slot] = table.idAt(race, slot);

    for (int race = 1; race <= MaxRaces; ++race) {
        for (int slot = MaxSlots; slot >= 1; --slot) {
            const std::string& text = table.slotText(race, slot);
            if (text.empty()) continue;
            const int id = ids[race][slot];
            auto add = [&](std::string problem, EntryProblemKind kind) {
                found.push_back({text, id, race, slot, id ? event.cpts[id].name : std::string(),
                                 std::move(problem), kind});
            };
            if (id == 0) {
                add("Driver has no name", EntryProblemKind::NotACompetitor);
                continue;
            }

            // Every other cell with the same Id, in this race or a later one.
            for (int race2 = race; race2 <= MaxRaces; ++race2)
                for (int slot2 = 1; slot2 <= MaxSlots; ++slot2) {
                    if (race2 == race && slot2 == slot) continue;
                    if (ids[race2][slot2] != id) continue;
                    add(alsoIn + std::to_string(race2) + " Car:" + std::to_string(slot2),
                        EntryProblemKind::Duplicate);
                }

            const comp_ent& c = event.cpts[id];
            if (!c.inUse()) add("Driver has no name", EntryProblemKind::NoName);
            if (c.noFreqNeeded()) continue;
            const int freq = tableFreq(c, heatsTable);
            if (freq == 0) {
                add("No Frequency Allocated", EntryProblemKind::NoFrequency);
                continue;
            }
            for (int earlier = slot - 1; earlier >= 1; --earlier) {
                const int other = ids[race][earlier];
                if (other == 0) continue;
                const comp_ent& o = event.cpts[other];
                if (!o.noFreqNeeded() && tableFreq(o, heatsTable) == freq) {
                    add("Frequency Conflict", EntryProblemKind::FreqConflict);
                    break;
                }
            }
        }
    }
    return found;
}

} // namespace vexa
