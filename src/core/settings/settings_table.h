#pragma once

#include "settings/prog_settings.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace vexa {

// How a key's text in the file becomes its value, and how the value is written back.
enum class ReadRule {
    Text,         // the text as it stands
    CutText,      // the text cut to the field's length
    ClassName,    // "-1", or a text longer than the field, is an empty name
    Whole,        // a whole number; any other text reads as the default; written in decimal
    Yes,          // true only for "YES" (first 60 characters, any case); written "YES" / "NO"
    TrueUnlessNo, // false only for "NO" (first 60 characters, any case); written "YES" / "NO"
    Feet,         // "FEET" in any case selects feet, anything else meters; "FEET" / "METERS"
    Mass,         // only the exact text "MASS" selects a mass start; "MASS" / "STAGGER"
    LastOrFtd,    // "LAST" in any case selects the last round's order; "LAST" / "FTD"
    Version,      // the version of the program that wrote the file; never read
};

// The keys a field of the settings window takes while typing (backspace, Delete and Enter
// always).
enum class TypedKeys { Any, Digits, DigitsAndPoint };

// Values a key can stand for. A key whose text holds '#' is repeated: "Class#" for the classes
// 0..30, "Set#Name" for the transponder sets 1..4, "Set#_T#" for set 1..4 and car 1..20.
struct SetName {};
struct SetTransponder {};
using SettingMember =
    std::variant<std::monostate, bool ProgSettings::*, int ProgSettings::*,
                 std::string ProgSettings::*, bool ClassSetup::*, int32_t ClassSetup::*,
                 std::string ClassSetup::*, SetName, SetTransponder>;

// One key of the settings file: where it is, its default, how it is read and written, the value
// it holds and the field of the settings window that shows it.
struct SettingKey {
    const char* section;
    const char* key;
    const char* fallback; // the text a missing key reads as
    ReadRule rule;
    SettingMember member;
    // Applied to a whole number after reading (the default included); none for most keys.
    int (*held)(int value) = nullptr;
    bool written = true; // false: read only, so a value typed into the file by hand survives
    // The field on the settings window (objectName); for two radio buttons, the one that means
    // true and, as `otherControl`, the one that means false. None for keys without a field and
    // for the grids, which the window fills itself.
    const char* control = nullptr;
    const char* otherControl = nullptr;
    int maxLength = 0; // characters the field takes; 0 = no limit
    TypedKeys keys = TypedKeys::Any;
    int lowest = 0, highest = 0; // range of a spin box
};

// Every key of the settings file in the order a save writes them (a new file's sections and
// keys come in this order). Reading takes the same keys.
std::span<const SettingKey> settingsTable();

// Whether the key is one of a class's ("Q Class#", ...).
bool isClassKey(const SettingKey& key);

// The key of a field of the settings window, or nullptr.
const SettingKey* settingForControl(const std::string& control);

// A value of the settings reached through a key: to change (SettingRef) or to read
// (ConstSettingRef); nothing for "LastSet".
template <typename T, typename Settings>
using LikeSettings = std::conditional_t<std::is_const_v<Settings>, const T, T>;
template <typename Settings>
using SettingRefOf =
    std::variant<std::monostate, LikeSettings<bool, Settings>*, LikeSettings<int32_t, Settings>*,
                 LikeSettings<std::string, Settings>*>;
using SettingRef = SettingRefOf<ProgSettings>;
using ConstSettingRef = SettingRefOf<const ProgSettings>;
static_assert(std::is_same_v<int, int32_t>, "settings hold their whole numbers as int32_t");

// The value a key without '#' stands for; nothing for a repeated key or "LastSet".
SettingRef settingValue(const SettingKey& key, ProgSettings& settings);
ConstSettingRef settingValue(const SettingKey& key, const ProgSettings& settings);
// The value of one class that a class key ("Q Class#", ...) stands for; nothing for others.
SettingRefOf<ClassSetup> classSettingValue(const SettingKey& key, ClassSetup& setup);
SettingRefOf<const ClassSetup> classSettingValue(const SettingKey& key, const ClassSetup& setup);

// Every key of the file, in the table's order, with its name and its value. The keys of the
// classes come class by class (the seven keys of class 0, then those of class 1, ...), the
// transponders set by set, car by car.
using SettingVisit =
    std::function<void(const SettingKey&, const std::string& name, SettingRef value)>;
using ConstSettingVisit =
    std::function<void(const SettingKey&, const std::string& name, ConstSettingRef value)>;
void forEachSetting(ProgSettings& settings, const SettingVisit& visit);
void forEachSetting(const ProgSettings& settings, const ConstSettingVisit& visit);

} // namespace vexa
