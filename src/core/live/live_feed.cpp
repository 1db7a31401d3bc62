#include "live/live_feed.h"

#include "files/event_files.h"
#include "live/live_programme.h"
#include "live/live_race.h"
#include "live/live_request.h"
#include "live/live_results.h"
#include "race/race_engine.h"

namespace vexa {

void LiveFeed::raceChanged() {
    if (const RaceEngine* race = engine()) passings_.observe(race->values());
    ++sequence_;
}

std::string LiveFeed::raceJson() const {
    const RaceEngine* race = engine();
    if (!race) return noRaceJson(sequence_);
    return liveRaceJson(
        LiveRaceState{race->values(), race->panel(), race->standings(), race->countdownRunning()},
        sources_.settings, passings_, sequence_);
}

std::string LiveFeed::programmeJson() const {
    const RaceEngine* race = engine();
    return vexa::programmeJson(sources_.event, sources_.settings, race ? &race->values() : nullptr);
}

std::optional<std::string> LiveFeed::resultsJson(std::string_view round) const {
    const std::optional<int> r = liveRoundParameter(round);
    if (!r) return std::nullopt;
    return roundResultsJson(sources_.event, sources_.settings, *r, htmlPageNames(htmlFolder()));
}

std::string LiveFeed::raceEvent() const {
    return serverSentEvent("race", raceJson());
}

std::filesystem::path LiveFeed::htmlFolder() const {
    if (!sources_.paths) return {};
    return sources_.paths->dir / "html";
}

std::optional<std::filesystem::path> LiveFeed::htmlFile(std::string_view name) const {
    if (!sources_.paths) return std::nullopt;
    return htmlFolderFile(htmlFolder(), name);
}

std::string serverSentEvent(std::string_view name, std::string_view data) {
    std::string out;
    out.reserve(name.size() + data.size() + 16);
    out += "event: ";
    out += name;
    out += "\ndata: ";
    out += data;
    out += "\n\n";
    return out;
}

} // namespace vexa
