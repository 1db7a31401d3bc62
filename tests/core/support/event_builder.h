#pragma once

#include "model/event_data.h"

#include <string>
#include <vector>

namespace vexa::test {

// A prefix followed by a number, such as D12.
inline std::string numbered(const char* prefix, int n) {
    return std::string(prefix).append(std::to_string(n));
}

// Puts a named competitor into an event and returns his entry for further changes.
inline comp_ent& driver(EventData& event, int id, const std::string& name, int classno = 0) {
    comp_ent& c = event.cpts[id];
    c.name = name;
    c.classno = static_cast<int8_t>(classno);
    return c;
}

// Seats Ids into a race from slot 1 on; 0 leaves a slot empty.
inline void seat(RacingTable& table, int race, const std::vector<int>& ids) {
    int slot = 1;
    for (int id : ids) {
        table.setSlotText(race, slot++, id ? std::to_string(id) : std::string());
    }
}

// The slot texts of a race, slot 1..20, as one string with '|' between them.
inline std::string slots(const RacingTable& table, int race) {
    std::string out;
    for (int slot = 1; slot <= 20; ++slot) {
        if (slot > 1) out += '|';
        out += table.slotText(race, slot);
    }
    return out;
}

} // namespace vexa::test
