#include "programme/find_driver.h"

namespace vexa {

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
