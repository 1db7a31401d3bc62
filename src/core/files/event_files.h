#pragma once

#include "model/event_data.h"
#include "model/outcome.h"
#include "settings/prog_settings.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vexa {

// Record sizes of the event files.
inline constexpr size_t EventRecordSize = 136;      // eventfile.qmf
inline constexpr size_t CompetitorRecordSize = 504; // eventfile.qdd
inline constexpr size_t CellRecordSize = 16;        // eventfile.qht, eventfile.qft
inline constexpr size_t ResultRecordSize = 20;      // eventfile.qrf

inline constexpr const char* CompetitorsHeaderText = "Vexa V0.00";
inline constexpr const char* MissingDriversFileMessage =
    "The drivers file to be loaded did not exist";

// The five files of an event directory.
struct EventPaths {
    std::filesystem::path dir;
    std::filesystem::path settings;    // eventfile.qmf
    std::filesystem::path competitors; // eventfile.qdd
    std::filesystem::path heats;       // eventfile.qht
    std::filesystem::path finals;      // eventfile.qft
    std::filesystem::path results;     // eventfile.qrf

    static EventPaths in(const std::filesystem::path& eventDir);
};

// File contents, byte for byte.
std::vector<uint8_t> eventSettingsBytes(const ProgSettings& settings);
std::vector<uint8_t> competitorsBytes(const EventData& event);
std::vector<uint8_t> tableBytes(const RacingTable& table);
std::vector<uint8_t> resultsBytes(const EventData& event);

// Applying file contents read from disk. Truncated tails and records that name an Id, round,
// column or row outside their ranges are skipped; the event settings' numbers are held to the
// ranges of their fields.
void applyEventSettingsBytes(const std::vector<uint8_t>& bytes, ProgSettings& settings);
void applyCompetitorsBytes(const std::vector<uint8_t>& bytes, EventData& event);
void applyTableBytes(const std::vector<uint8_t>& bytes, RacingTable& table);
void applyResultsBytes(const std::vector<uint8_t>& bytes, EventData& event);

// Whole-file writers; each rewrites its file atomically.
Outcome writeEventSettings(const std::filesystem::path& path, const ProgSettings& settings);
Outcome writeCompetitors(const std::filesystem::path& path, const EventData& event);
Outcome writeTable(const std::filesystem::path& path, const RacingTable& table);
Outcome writeResults(const std::filesystem::path& path, const EventData& event);

// Readers. A missing file changes nothing; only the competitors reader reports it, with
// MissingDriversFileMessage.
void readEventSettings(const std::filesystem::path& path, ProgSettings& settings);
Outcome readCompetitors(const std::filesystem::path& path, EventData& event);
void readTable(const std::filesystem::path& path, RacingTable& table);
void readResults(const std::filesystem::path& path, EventData& event);

// All five in the program's order (settings, competitors, heats, finals, results); the first
// failure is reported, the rest are still written.
Outcome writeAllEventFiles(const EventPaths& paths, const ProgSettings& settings,
                           const EventData& event);
// Reads all five in the same order; the outcome carries the competitors file's message.
Outcome readAllEventFiles(const EventPaths& paths, ProgSettings& settings, EventData& event);

} // namespace vexa
