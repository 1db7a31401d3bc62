#pragma once

#include "program/version.h"

#include "model/outcome.h"
#include "settings/ini_file.h"
#include "settings/prog_settings.h"

#include <filesystem>

namespace vexa {

// Reads every key in the program's order, applying defaults, read rules and clamps; numbers are
// held to the ranges of their fields (setting_ranges.h). The event values of `settings` are left
// as they are.
void loadini(const IniFile& ini, ProgSettings& settings);

// Writes every key in the program's order into `ini`; lines the program does not write
// ("LOWEST HITS", "DPLAPSONLY", unknown keys and sections) stay as they are.
void writeini(const ProgSettings& settings, IniFile& ini);

// The settings file on disk: a missing file gives every default.
void loadSettingsFile(const std::filesystem::path& path, ProgSettings& settings);
// Rewrites the file atomically, keeping the lines the program does not write.
Outcome saveSettingsFile(const std::filesystem::path& path, const ProgSettings& settings);

} // namespace vexa
