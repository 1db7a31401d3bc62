#include "live/live_programme.h"

#include "live/json_writer.h"
#include "model/event_data.h"
#include "model/table_queries.h"
#include "settings/prog_settings.h"

namespace vexa {

namespace {

void writeSlots(JsonWriter& json, const EventData& event, const ProgSettings& settings,
                const RacingTable& table, int race) {
    json.key("slots").beginArray();
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const std::string& text = table.slotText(race, slot);
        if (text.empty()) continue;
        const int id = table.idAt(race, slot);
        const bool known = id != 0 && event.competitor(id).inUse();
        json.beginObject().key("car").number(slot).key("name");
        if (known) {
            const comp_ent& c = event.competitor(id);
            json.string(c.name).key("class").string(settings.classSetup(c.classno).name);
        } else {
            json.string(text).key("class").string("");
        }
        json.endObject();
    }
    json.endArray();
}

void writeTable(JsonWriter& json, const EventData& event, const ProgSettings& settings,
                const RaceValues* running, bool heats) {
    const RacingTable& table = heats ? event.heats : event.finals;
    const bool current = settings.racingHeats == heats;
    const bool runningHere = running && running->RaceState == RaceStates::Running &&
                             (running->RaceKind == HeatRace) == heats;
    json.beginArray();
    for (int race = 1; race <= MaxRaces; ++race) {
        if (firstDriverSlot(table, race) == 0) continue;
        json.beginObject()
            .key("race")
            .number(race)
            .key("info")
            .string(table.info(race))
            .key("next")
            .boolean(current && race == settings.raceNumber)
            .key("running")
            .boolean(runningHere && running->RaceNumber == race);
        writeSlots(json, event, settings, table, race);
        json.endObject();
    }
    json.endArray();
}

} // namespace

std::string programmeJson(const EventData& event, const ProgSettings& settings,
                          const RaceValues* running) {
    JsonWriter json;
    json.beginObject()
        .key("event")
        .string(settings.eventTitle)
        .key("round")
        .number(settings.roundNumber)
        .key("racing")
        .string(settings.racingHeats ? "heats" : "finals")
        .key("heats");
    writeTable(json, event, settings, running, true);
    json.key("finals");
    writeTable(json, event, settings, running, false);
    json.endObject();
    return json.take();
}

} // namespace vexa
