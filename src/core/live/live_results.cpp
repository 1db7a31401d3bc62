#include "live/live_results.h"

#include "live/json_writer.h"
#include "model/event_data.h"
#include "race/text_formats.h"
#include "scoring/result_order.h"
#include "settings/prog_settings.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace vexa {

namespace {

struct Entry {
    int id;
    LapsTime result;
};

void writeClass(JsonWriter& json, const EventData& event, const ProgSettings& settings, int classno,
                std::vector<Entry>& entries, int round) {
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (betterResult(a.result, b.result)) return true;
        if (betterResult(b.result, a.result)) return false;
        return a.id < b.id;
    });
    json.beginObject()
        .key("class")
        .string(settings.classSetup(classno).name)
        .key("results")
        .beginArray();
    int position = 0;
    for (const Entry& e : entries) {
        const comp_ent& c = event.competitor(e.id);
        const double time =
            event.cptres[static_cast<size_t>(e.id)].time[static_cast<size_t>(round)];
        json.beginObject()
            .key("pos")
            .number(++position)
            .key("name")
            .string(c.name)
            .key("laps")
            .number(e.result.laps)
            .key("time")
            .string(FormatLapTime(time))
            .endObject();
    }
    json.endArray().endObject();
}

} // namespace

std::string roundResultsJson(const EventData& event, const ProgSettings& settings, int round,
                             const std::vector<std::string>& pages) {
    std::array<std::vector<Entry>, MaxClasses> byClass;
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = event.competitor(id);
        const res_ent& r = event.cptres[static_cast<size_t>(id)];
        if (!c.inUse() || !r.hasResult(round) || c.classno < 0 || c.classno >= MaxClasses) continue;
        const auto at = static_cast<size_t>(round);
        byClass[static_cast<size_t>(c.classno)].push_back(
            Entry{id, LapsTime{std::max(r.laps[at], 0), timeKey(r.time[at])}});
    }
    JsonWriter json;
    json.beginObject()
        .key("event")
        .string(settings.eventTitle)
        .key("round")
        .number(round)
        .key("classes")
        .beginArray();
    for (int classno = 0; classno < MaxClasses; ++classno) {
        auto& entries = byClass[static_cast<size_t>(classno)];
        if (!entries.empty()) writeClass(json, event, settings, classno, entries, round);
    }
    json.endArray().key("pages").beginArray();
    for (const std::string& page : pages) json.string(page);
    json.endArray().endObject();
    return json.take();
}

std::vector<std::string> htmlPageNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        if (it->is_regular_file(ec) && (p.extension() == ".html" || p.extension() == ".htm"))
            names.push_back(p.filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace vexa
