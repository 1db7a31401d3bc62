#include "settings/settings_table.h"

#include "ports/timing_equipment.h"
#include "settings/display_settings.h"

#include <algorithm>
#include <array>

namespace vexa {

namespace {

using PS = ProgSettings;
using CS = ClassSetup;

const char* const CountMethod = "COUNT METHOD";
const char* const Rcio = "RCIO";
const char* const Printer = "PRINTER";
const char* const Misc = "MISC";
const char* const ScoreMethod = "SCORE METHOD";
const char* const Event = "EVENT";
const char* const Sound = "Sound";
const char* const Times = "TIMES";
const char* const TrackTransponders = "Track Transponders";
const char* const Classes = "Classes";
const char* const LiveResults = "LIVE RESULTS";
const char* const Display = "DISPLAY";

// -1 means none; 50 hits or more cannot be asked for.
int heldLowestHits(int hits) {
    if (hits == -1) return 0;
    return hits < 50 ? hits : 0;
}
// A number that names no device means counting with the keys.
int heldCountDevice(int device) {
    return settingOf(countingDeviceFromSetting(device));
}
// 0 switches the silence watch off; otherwise 10 to 999 seconds.
int heldDecoderSilence(int seconds) {
    return seconds == 0 || (seconds >= 10 && seconds <= 999) ? seconds : 15;
}
int heldStaggerGap(int ms) {
    if (ms > 3000) ms = 1000;
    if (ms < 1000) ms = 1000;
    return ms;
}
// A port outside 1..65535 is the usual one.
int heldLivePort(int port) {
    return port >= 1 && port <= 65535 ? port : 8080;
}
// The scoreboard feed's port: 0 switches it off; a port outside 0..65535 is the usual one.
int heldScoreboardPort(int port) {
    return port >= 0 && port <= 65535 ? port : 50000;
}
int heldStandingsZoom(int percent) {
    return std::clamp(percent, MinStandingsZoom, MaxStandingsZoom);
}
int heldCountBeeps(int beeps) {
    if (beeps > 10) beeps = 10;
    if (beeps < 2) beeps = 10;
    return beeps;
}

using R = ReadRule;
using K = TypedKeys;

// clang-format off
const SettingKey Table[] = {
    {"Version", "LastSet", "", R::Version, std::monostate{}},

    {CountMethod, "LOWEST HITS", "-1", R::Whole, &PS::lowestHits, heldLowestHits, false},
    {CountMethod, "COUNTDEVICE", "0", R::Whole, &PS::countDevice, heldCountDevice},
    {CountMethod, "COUNT1COMPORT", "0", R::Whole, &PS::count1ComPort, nullptr, true,
     "countdevicecomcb"},
    {CountMethod, "IP ADDRESS", "", R::Text, &PS::ipAddress, nullptr, true, "ambrcIPED", nullptr,
     16, K::DigitsAndPoint},
    {CountMethod, "SPEEDTRAP", "-1", R::Yes, &PS::speedTrap, nullptr, true, "SpTpEnabledCB"},
    {CountMethod, "TRAPGAP", "10", R::Text, &PS::trapGap, nullptr, true, "SpTpgapED", nullptr, 0,
     K::Digits},
    {CountMethod, "TRAPMEASURE", "-1", R::Feet, &PS::trapMeasureFeet, nullptr, true,
     "SpTpgapfeet", "SpTpgapmeters"},
    {CountMethod, "EX20", "NO", R::Yes, &PS::ex20, nullptr, true, "Extendeds20"},
    {CountMethod, "DECODER SILENCE", "15", R::Whole, &PS::decoderSilence, heldDecoderSilence},

    {Rcio, "COMPORT", "0", R::Whole, &PS::rcioComPort, nullptr, true, "displaycomLB"},
    {Rcio, "COMPATIBLE", "NO", R::Yes, &PS::compatible, nullptr, true, "compatRCio"},
    {Rcio, "SECONDAMB", "NO", R::Yes, &PS::secondAmb, nullptr, true, "secondamb"},
    {Rcio, "NOLIGHTS", "999", R::Text, &PS::noLights, nullptr, true, "NolightED", nullptr, 3,
     K::Digits},
    {Rcio, "AMBERLIGHT", "999", R::Text, &PS::amberLight, nullptr, true, "yellowlightED", nullptr,
     3, K::Digits},

    {CountMethod, "COUNTSAME", "NO", R::Yes, &PS::countSame, nullptr, true, "countallAtCB"},
    {Misc, "ITALY", "NO", R::Yes, &PS::italy},
    {Misc, "TRAN LETTERS", "NO", R::Yes, &PS::tranLetters, nullptr, true, "transponderletters"},
    {Printer, "RACE RESULTS", "YES", R::Yes, &PS::printRaceResults, nullptr, true,
     "printafterraceCB"},

    {Misc, "START FROM LEADER", "NO", R::Yes, &PS::startFromLeader, nullptr, true, "leaderstart"},
    {Misc, "START ORDER NAMES", "NO", R::Yes, &PS::startOrderNames, nullptr, true,
     "namestartorder"},
    {Misc, "REQUIRES FREQ", "YES", R::Yes, &PS::requiresFreq, nullptr, true, "freqbydefaultCB"},
    {Misc, "SCROLLCHANGE", "-1", R::TrueUnlessNo, &PS::scrollChange, nullptr, true,
     "ScrollTogCB"},
    {Misc, "DPLAPSONLY", "-1", R::Yes, &PS::dpLapsOnly, nullptr, false},
    {Misc, "STAGGER GAP", "1000", R::Whole, &PS::staggerGap, heldStaggerGap},
    {Misc, "STAGGER ORDER", "-1", R::LastOrFtd, &PS::staggerOrderLast},
    {Misc, "COUNT BEEPS", "10", R::Whole, &PS::countBeeps, heldCountBeeps},
    {Misc, "AUTO KEYS", "NO", R::Yes, &PS::autoKeys, nullptr, true, "Autoenablekeys"},
    {Misc, "ONE COLUMN", "NO", R::Yes, &PS::oneColumn, nullptr, true, "onecolumn"},

    {ScoreMethod, "CLR", "-1", R::Yes, &PS::clr, nullptr, true, "clrracetypeRB",
     "normalracetypeRB"},
    {ScoreMethod, "CLRLAPS", "5", R::Whole, &PS::clrLaps, nullptr, true, "clrlapsSE", nullptr, 0,
     K::Digits, 1, 999},

    {Sound, "RUN ORDER", "2", R::Text, &PS::runOrder, nullptr, true, "Readordmin", nullptr, 2,
     K::Digits},
    {Sound, "Remain Time", "NO", R::Yes, &PS::remainTime, nullptr, true, "soundremainCB"},
    {Sound, "Between Warning", "NO", R::Yes, &PS::betweenWarning, nullptr, true,
     "coundownwarningCB"},
    {Sound, "RACE NUMBER", "YES", R::Yes, &PS::raceNumberRead, nullptr, true, "racenumreadCB"},
    {Sound, "FINISH ORDER", "YES", R::Yes, &PS::finishOrder, nullptr, true, "readfinishorderCB"},
    {Sound, "IMPROVED DRIVERS", "YES", R::Yes, &PS::improvedDrivers, nullptr, true,
     "readimprovedCB"},
    {Sound, "54321", "NO", R::Yes, &PS::count54321, nullptr, true, "numendingCB"},
    // Shown by the main window's "Passing Beeps" box.
    {Sound, "Pass Beeps", "YES", R::Yes, &PS::passBeeps},

    {Event, "TRACK LENGTH", "500", R::Text, &PS::trackLength, nullptr, true, "tracklengthED",
     nullptr, 0, K::Digits},
    {Event, "TRACK MEASURE", "METERS", R::Feet, &PS::trackMeasureFeet, nullptr, true,
     "Distfeetchk", "distmeterschk"},
    // The start-type lists hold "Stagger Start" and "Mass/Grid": true is the second entry.
    {Event, "HEAT TYPE", "STAGGER", R::Mass, &PS::heatMass, nullptr, true, "heattypeCB"},
    {Event, "FINAL TYPE", "MASS", R::Mass, &PS::finalMass, nullptr, true, "finaltypeCB"},
    {Event, "COUNT FIRST", "YES", R::TrueUnlessNo, &PS::countFirst, nullptr, true,
     "countfirstLCB"},

    {Times, "MIN LAP", "7", R::Text, &PS::minLap, nullptr, true, "minlaptED", nullptr, 2,
     K::Digits},
    {Times, "LAST START", "30", R::Text, &PS::lastStart, nullptr, true, "LaststarttED", nullptr,
     3, K::Digits},
    {Times, "RACE INTIVAL", "60", R::Text, &PS::raceInterval, nullptr, true, "tbetweenrED",
     nullptr, 3, K::Digits},
    {Times, "RACE SETUP", "30", R::Text, &PS::raceSetup, nullptr, true, "preracewED", nullptr, 3,
     K::Digits},
    {Times, "LAST LAP", "30", R::Text, &PS::lastLap, nullptr, true, "maxlastlapT", nullptr, 3,
     K::Digits},

    {TrackTransponders, "Set#Name", "", R::CutText, SetName{}, nullptr, true, "Tranname#ED",
     nullptr, 10},

    {Classes, "Class#", "-1", R::ClassName, &CS::name, nullptr, true, "ClassnameGrid", nullptr,
     ClassNameCapacity},
    {Classes, "Q Class#", "5", R::Whole, &CS::qualMinutes, nullptr, true, "qualmin", nullptr, 0,
     K::DigitsAndPoint},
    {Classes, "A Class#", "5", R::Whole, &CS::aMinutes, nullptr, true, "amin", nullptr, 0,
     K::DigitsAndPoint},
    {Classes, "B Class#", "5", R::Whole, &CS::bMinutes, nullptr, true, "bmin", nullptr, 0,
     K::DigitsAndPoint},
    {Classes, "O Class#", "5", R::Whole, &CS::otherMinutes, nullptr, true, "othermin", nullptr, 0,
     K::DigitsAndPoint},
    {Classes, "TSCdown Class#", "YES", R::TrueUnlessNo, &CS::tenSecCountdown, nullptr, true,
     "StartTensec"},
    {Classes, "RSorder Class#", "YES", R::TrueUnlessNo, &CS::readStartOrder, nullptr, true,
     "StartSReadSrt"},

    // A transponder cell takes seven characters.
    {TrackTransponders, "Set#_T#", "-1", R::Whole, SetTransponder{}, nullptr, true,
     "AmbTrackGrid", nullptr, 7},

    {LiveResults, "ENABLED", "YES", R::TrueUnlessNo, &PS::liveEnabled},
    {LiveResults, "PORT", "8080", R::Whole, &PS::livePort, heldLivePort},
    {LiveResults, "ADDRESS", "", R::Text, &PS::liveAddress},
    {LiveResults, "SCOREBOARD PORT", "50000", R::Whole, &PS::scoreboardPort, heldScoreboardPort,
     true, "scoreboardPortSE", nullptr, 0, K::Digits, 0, 65535},

    {Display, "STANDINGS ZOOM", "100", R::Whole, &PS::standingsZoom, heldStandingsZoom, true,
     "standingsZoomSE", nullptr, 0, K::Digits, MinStandingsZoom, MaxStandingsZoom},
    {Display, "DARK RACE SCREEN", "NO", R::Yes, &PS::darkRaceScreen, nullptr, true,
     "darkRaceScreenCB"},
    {Display, "MAIN WINDOW", "", R::Text, &PS::mainWindowPlace},
    {Display, "RACE SCREEN", "", R::Text, &PS::raceScreenPlace},
};
// clang-format on

// The key with each '#' replaced by the next of the numbers.
std::string keyName(const char* pattern, std::initializer_list<int> numbers) {
    std::string name;
    auto number = numbers.begin();
    for (const char* p = pattern; *p; ++p) {
        if (*p == '#' && number != numbers.end())
            name += std::to_string(*number++);
        else
            name += *p;
    }
    return name;
}

// Whether a control name matches a pattern whose '#' stands for a run of digits.
bool controlMatches(const char* pattern, const std::string& name) {
    size_t i = 0;
    for (const char* p = pattern; *p; ++p) {
        if (*p != '#') {
            if (i >= name.size() || name[i] != *p) return false;
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
        if (i == start) return false;
    }
    return i == name.size();
}

// The class a member pointer belongs to.
template <typename T> struct MemberOf { using Class = void; };
template <typename Value, typename Owner> struct MemberOf<Value Owner::*> { using Class = Owner; };

// The value of `owner` (the settings or one class) that the key names, when the key names a value
// of that kind of owner.
template <typename Owner> SettingRefOf<Owner> memberValue(const SettingKey& key, Owner& owner) {
    return std::visit(
        [&owner](auto member) -> SettingRefOf<Owner> {
            using Class = typename MemberOf<decltype(member)>::Class;
            if constexpr (std::is_same_v<Class, std::remove_const_t<Owner>>)
                return &(owner.*member);
            else
                return std::monostate{};
        },
        key.member);
}

template <typename Settings, typename Visit> void walk(Settings& s, const Visit& visit) {
    const std::span<const SettingKey> table(Table);
    for (size_t row = 0; row < table.size(); ++row) {
        const SettingKey& key = table[row];
        if (isClassKey(key)) {
            size_t end = row;
            while (end < table.size() && isClassKey(table[end])) ++end;
            for (int i = 0; i < MaxClasses; ++i) {
                auto& c = s.classes[static_cast<size_t>(i)];
                for (size_t r = row; r < end; ++r)
                    visit(table[r], keyName(table[r].key, {i}), memberValue(table[r], c));
            }
            row = end - 1;
        } else if (std::holds_alternative<SetName>(key.member)) {
            for (int set = 1; set <= 4; ++set)
                visit(key, keyName(key.key, {set}),
                      SettingRefOf<Settings>(&s.trackSets[static_cast<size_t>(set)].name));
        } else if (std::holds_alternative<SetTransponder>(key.member)) {
            for (int set = 1; set <= 4; ++set)
                for (int car = 1; car <= MaxSlots; ++car)
                    visit(key, keyName(key.key, {set, car}),
                          SettingRefOf<Settings>(&s.trackSets[static_cast<size_t>(set)]
                                                      .transponders[static_cast<size_t>(car)]));
        } else {
            visit(key, std::string(key.key), memberValue(key, s));
        }
    }
}

} // namespace

bool isClassKey(const SettingKey& key) {
    return std::holds_alternative<bool CS::*>(key.member) ||
           std::holds_alternative<int32_t CS::*>(key.member) ||
           std::holds_alternative<std::string CS::*>(key.member);
}

std::span<const SettingKey> settingsTable() {
    return Table;
}

const SettingKey* settingForControl(const std::string& control) {
    for (const SettingKey& key : Table)
        if ((key.control && controlMatches(key.control, control)) ||
            (key.otherControl && control == key.otherControl))
            return &key;
    return nullptr;
}

SettingRef settingValue(const SettingKey& key, ProgSettings& settings) {
    return memberValue(key, settings);
}
ConstSettingRef settingValue(const SettingKey& key, const ProgSettings& settings) {
    return memberValue(key, settings);
}

SettingRefOf<ClassSetup> classSettingValue(const SettingKey& key, ClassSetup& c) {
    return memberValue(key, c);
}
SettingRefOf<const ClassSetup> classSettingValue(const SettingKey& key, const ClassSetup& c) {
    return memberValue(key, c);
}

void forEachSetting(ProgSettings& settings, const SettingVisit& visit) {
    walk(settings, visit);
}
void forEachSetting(const ProgSettings& settings, const ConstSettingVisit& visit) {
    walk(settings, visit);
}

} // namespace vexa
