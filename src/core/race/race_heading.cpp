#include "race/race_heading.h"

#include "model/event_data.h"
#include "settings/prog_settings.h"

namespace vexa {

RaceHeading raceHeading(const ProgSettings& settings, const EventData& event, bool heats, int race,
                        int round) {
    RaceHeading h;
    h.mass = heats ? settings.heatMass : settings.finalMass;
    if (race < 1 || race > MaxRaces) return h;
    const RacingTable& table = heats ? event.heats : event.finals;
    // The class, and with it the race length, comes from the race's first driver.
    for (int slot = 1; slot <= MaxSlots && !h.hasDrivers; ++slot) {
        if (table.slotText(race, slot).empty()) continue;
        h.hasDrivers = true;
        if (const int id = table.idAt(race, slot)) h.classNo = event.cpts[id].classno;
    }
    if (!h.hasDrivers) return h;

    const ClassSetup& cls = settings.classSetup(h.classNo);
    const std::string number = std::to_string(race);
    if (heats) {
        h.minutes = cls.qualMinutes;
        h.title = cls.name + " Heat# " + number;
        h.appTitle = "Vexa H:" + number + " R:" + std::to_string(round);
        return h;
    }
    const std::string& info = table.info(race);
    h.finalLetter = info.empty() ? std::string{} : info.substr(info.size() - 1);
    h.minutes = h.finalLetter == "A"   ? cls.aMinutes
                : h.finalLetter == "B" ? cls.bMinutes
                                       : cls.otherMinutes;
    h.title = cls.name + " " + h.finalLetter + " Final# " + number;
    h.appTitle = "Vexa F:" + number + " R:" + std::to_string(round);
    return h;
}

std::string roundText(int round) {
    return "Round " + std::to_string(round);
}

} // namespace vexa
