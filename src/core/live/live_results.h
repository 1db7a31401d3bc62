#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vexa {

struct EventData;
struct ProgSettings;

// The stored results of a round (1..20) as JSON: one list per class, best first (more laps,
// then a smaller time; equal results by Id), each with the driver, laps and time; then the
// pages of the event's HTML folder (`pages`, file names).
std::string roundResultsJson(const EventData& event, const ProgSettings& settings, int round,
                             const std::vector<std::string>& pages);

// The names of the HTML pages in a folder, sorted; none when it does not exist.
std::vector<std::string> htmlPageNames(const std::filesystem::path& folder);

} // namespace vexa
