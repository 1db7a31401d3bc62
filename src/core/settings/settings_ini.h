#pragma once

#include "base/version.h"
#include "settings/ini_file.h"
#include "settings/prog_settings.h"

#include <string>

namespace vexa {

// Reads every key of the settings table (settings_table.h) with its default, read rule and clamp;
// the numbers the race engine works times out of are held to their fields' ranges
// (setting_ranges.h). The event values of `settings` are left as they are.
void loadini(const IniFile& ini, ProgSettings& settings);

// Writes every key of the settings table in its order into `ini`; lines the program does not write
// ("LOWEST HITS", "DPLAPSONLY", unknown keys and sections) stay as they are.
void writeini(const ProgSettings& settings, IniFile& ini);

// Writes only the keys of one section (or, with `key`, one key of it) into `ini`.
void writeSettingKeys(const ProgSettings& settings, IniFile& ini, const std::string& section,
                      const std::string& key = {});

} // namespace vexa
