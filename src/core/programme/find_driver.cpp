#include "programme/find_driver.h"

namespace vexa {

TablePlace lastPlaceOf(const RacingTable& table, int id) {
    TablePlace place;
    if (!validId(id)) return place;
    for (int race = 1; race <= MaxRaces; ++race)
        for (int slot = 1; slot <= MaxSlots; ++slot)
            if (table.idAt(race, slot) == id) place = {race, slot};
    return place;
}

FindDriverResult findDriver(const EventData& event, int id) {
    FindDriverResult r;
    r.heat = lastPlaceOf(event.heats, id);
    r.final = lastPlaceOf(event.finals, id);
    r.heatText = r.heat.found() ? "Driver Found in Qualifier/Heat: " + std::to_string(r.heat.race) +
                                      " CAR: " + std::to_string(r.heat.slot)
                                : "NOT FOUND IN THE QUALIFIER TABLE/HEAT";
    r.finalText = r.final.found() ? "Driver Found in Main/Final: " + std::to_string(r.final.race) +
                                        " CAR: " + std::to_string(r.final.slot)
                                  : "NOT FOUND IN THE MAIN/FINAL TABLE";
    return r;
}

} // namespace vexa
