#pragma once

#include "live/passing_log.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vexa {

struct EventData;
struct EventPaths;
struct ProgSettings;
class RaceEngine;

// What the live feed reads: the settings, the event's tables and results, the open event's
// files and the race station's engine as `race` gives it now (none before the station is built).
struct LiveSources {
    const ProgSettings& settings;
    const EventData& event;
    const std::optional<EventPaths>& paths;
    std::function<const RaceEngine*()> race;
};

// The texts the live results server sends, read from the same state the race screen draws.
// Nothing here changes the program: the feed only reads.
class LiveFeed {
  public:
    explicit LiveFeed(const LiveSources& sources) : sources_(sources) {}

    // After each redraw notice of the race engine (the passing is already counted): the new
    // crossings are taken into the passing log and the race's sequence number moves on.
    void raceChanged();
    uint64_t sequence() const { return sequence_; }

    // `/api/race`, `/api/programme` and `/api/results?round=R` (nothing for a round that is not
    // 1..20).
    std::string raceJson() const;
    std::string programmeJson() const;
    std::optional<std::string> resultsJson(std::string_view round) const;
    // The event stream's message carrying the live race.
    std::string raceEvent() const;

    // The event's HTML folder; empty while no event is open.
    std::filesystem::path htmlFolder() const;
    // A file of the HTML folder named by a request path below it, or nothing (see
    // htmlFolderFile).
    std::optional<std::filesystem::path> htmlFile(std::string_view name) const;

  private:
    const RaceEngine* engine() const { return sources_.race ? sources_.race() : nullptr; }

    LiveSources sources_;
    PassingLog passings_;
    uint64_t sequence_ = 0;
};

// A Server-Sent Events message: the event name and one line of data.
std::string serverSentEvent(std::string_view name, std::string_view data);

} // namespace vexa
