#include "settings/settings_ini.h"

#include "base/plain_text.h"
#include "base/whole_number.h"
#include "model/competitor.h"
#include "settings/setting_ranges.h"
#include "settings/settings_table.h"

#include <functional>
#include <string>
#include <type_traits>
#include <variant>

namespace vexa {

namespace {

// The first 60 characters, upper-cased.
std::string cut60(const std::string& text) {
    return upperLatin1(text.substr(0, 60));
}

// A key's value from its text in the file (its default when it is missing).
template <typename T>
T readValue(const SettingKey& key, const IniFile& ini, const std::string& name);

template <>
bool readValue<bool>(const SettingKey& key, const IniFile& ini, const std::string& name) {
    const std::string text = ini.readString(key.section, name, key.fallback);
    switch (key.rule) {
    case ReadRule::TrueUnlessNo:
        return cut60(text) != "NO";
    case ReadRule::Feet:
        return upperLatin1(text) == "FEET";
    case ReadRule::Mass:
        return text == "MASS";
    case ReadRule::LastOrFtd:
        return upperLatin1(text) == "LAST";
    default:
        return cut60(text) == "YES";
    }
}

template <>
int32_t readValue<int32_t>(const SettingKey& key, const IniFile& ini, const std::string& name) {
    const int fallback = parseWholeNumber(key.fallback).value_or(0);
    const auto text = ini.value(key.section, name);
    const int value = text ? parseWholeNumber(*text).value_or(fallback) : fallback;
    return key.held ? key.held(value) : value;
}

template <>
std::string readValue<std::string>(const SettingKey& key, const IniFile& ini,
                                   const std::string& name) {
    std::string text = ini.readString(key.section, name, key.fallback);
    const size_t length = static_cast<size_t>(key.maxLength);
    if (key.rule == ReadRule::CutText && text.size() > length) text.resize(length);
    if (key.rule == ReadRule::ClassName && (text == "-1" || text.size() > length)) text.clear();
    return text;
}

std::string writtenText(const SettingKey& key, bool value) {
    switch (key.rule) {
    case ReadRule::Feet:
        return value ? "FEET" : "METERS";
    case ReadRule::Mass:
        return value ? "MASS" : "STAGGER";
    case ReadRule::LastOrFtd:
        return value ? "LAST" : "FTD";
    default:
        return value ? "YES" : "NO";
    }
}
std::string writtenText(const SettingKey&, int32_t value) {
    return std::to_string(value);
}
std::string writtenText(const SettingKey&, const std::string& value) {
    return value;
}

} // namespace

void loadini(const IniFile& ini, ProgSettings& s) {
    forEachSetting(s, [&ini](const SettingKey& key, const std::string& name, SettingRef value) {
        std::visit(
            [&](auto target) {
                if constexpr (std::is_pointer_v<decltype(target)>)
                    *target = readValue<std::remove_pointer_t<decltype(target)>>(key, ini, name);
            },
            value);
    });
    holdSettingRanges(s);
}

namespace {

// Writes the keys of the table that `chosen` picks.
void writeKeys(const ProgSettings& s, IniFile& ini,
               const std::function<bool(const SettingKey&, const std::string&)>& chosen) {
    forEachSetting(s, [&](const SettingKey& key, const std::string& name, ConstSettingRef value) {
        if (!key.written || !chosen(key, name)) return;
        if (key.rule == ReadRule::Version) {
            ini.write(key.section, name, ProgramVersion);
            return;
        }
        std::visit(
            [&](auto source) {
                if constexpr (std::is_pointer_v<decltype(source)>)
                    ini.write(key.section, name, writtenText(key, *source));
            },
            value);
    });
}

} // namespace

void writeini(const ProgSettings& s, IniFile& ini) {
    writeKeys(s, ini, [](const SettingKey&, const std::string&) { return true; });
}

void writeSettingKeys(const ProgSettings& s, IniFile& ini, const std::string& section,
                      const std::string& key) {
    writeKeys(s, ini, [&](const SettingKey& k, const std::string& name) {
        return equalsNoCase(k.section, section) && (key.empty() || equalsNoCase(name, key));
    });
}

} // namespace vexa
