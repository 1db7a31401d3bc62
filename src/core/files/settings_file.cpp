#include "files/settings_file.h"

#include "files/file_io.h"

namespace vexa {

static IniFile readIni(const std::filesystem::path& path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) return IniFile{};
    return IniFile::parse(std::string(bytes->begin(), bytes->end()));
}

void loadSettingsFile(const std::filesystem::path& path, ProgSettings& settings) {
    loadini(readIni(path), settings);
}

Outcome saveSettingsFile(const std::filesystem::path& path, const ProgSettings& settings) {
    IniFile ini = readIni(path);
    writeini(settings, ini);
    return writeFileAtomic(path, ini.text());
}

Outcome saveSettingKeys(const std::filesystem::path& path, const ProgSettings& settings,
                        const std::string& section, const std::string& key) {
    IniFile ini = readIni(path);
    writeSettingKeys(settings, ini, section, key);
    return writeFileAtomic(path, ini.text());
}

Outcome saveDisplaySettings(const std::filesystem::path& iniFile, const ProgSettings& settings) {
    return saveSettingKeys(iniFile, settings, "DISPLAY");
}

} // namespace vexa
