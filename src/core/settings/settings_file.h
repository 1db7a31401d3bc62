#pragma once

#include "program/version.h"

#include "model/outcome.h"
#include "settings/ini_file.h"
#include "settings/prog_settings.h"

#include <filesystem>

namespace vexa {

// Reads every key of the settings table (settings_table.h) with its default, read rule and clamp;
// the numbers the race engine works times out of are held to their fields' ranges
// (setting_ranges.h). The event values of `settings` are left as they are.
void loadini(const IniFile& ini, ProgSettings& settings);

// Writes every key of the settings table in its order into `ini`; lines the program does not write
// ("LOWEST HITS", "DPLAPSONLY", unknown keys and sections) stay as they are.
void writeini(const ProgSettings& settings, IniFile& ini);

// The settings file on disk: a missing file gives every default.
void loadSettingsFile(const std::filesystem::path& path, ProgSettings& settings);
// Rewrites the file atomically, keeping the lines the program does not write.
Outcome saveSettingsFile(const std::filesystem::path& path, const ProgSettings& settings);
// Rewrites only the keys of one section (or, with `key`, one key of it), keeping every other
// line as it stands.
Outcome saveSettingKeys(const std::filesystem::path& path, const ProgSettings& settings,
                        const std::string& section, const std::string& key = {});

} // namespace vexa
