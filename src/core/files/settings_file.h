#pragma once

#include "model/outcome.h"
#include "settings/settings_ini.h"

#include <filesystem>

namespace vexa {

// The settings file on disk: a missing file gives every default.
void loadSettingsFile(const std::filesystem::path& path, ProgSettings& settings);
// Rewrites the file atomically, keeping the lines the program does not write.
Outcome saveSettingsFile(const std::filesystem::path& path, const ProgSettings& settings);
// Rewrites only the keys of one section (or, with `key`, one key of it), keeping every other
// line as it stands.
Outcome saveSettingKeys(const std::filesystem::path& path, const ProgSettings& settings,
                        const std::string& section, const std::string& key = {});

// Writes the display keys (the zoom, the race screen's theme, the windows' places) into the
// settings file, leaving every other line as it stands: the program keeps them as it ends,
// whatever the other settings in memory say (a decoder not found is not forgotten).
Outcome saveDisplaySettings(const std::filesystem::path& iniFile, const ProgSettings& settings);

} // namespace vexa
