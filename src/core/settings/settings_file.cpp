#include "settings/settings_file.h"

#include "files/file_io.h"
#include "model/competitor.h"
#include "settings/setting_ranges.h"

#include <string>

namespace vexa {

namespace {

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

// Reads a section's keys with their defaults and rules.
class Reader {
  public:
    Reader(const IniFile& ini, const char* section) : ini_(ini), section_(section) {}

    std::string text(const char* key, const std::string& fallback) const {
        return ini_.readString(section_, key, fallback);
    }
    int integer(const std::string& key, int fallback) const {
        const auto v = ini_.value(section_, key);
        if (!v) return fallback;
        return parseWholeNumber(*v).value_or(fallback);
    }
    // The first 60 characters, upper-cased, equal to "YES".
    bool yes(const std::string& key, const std::string& fallback) const {
        return cut(key, fallback) == "YES";
    }
    // True unless the first 60 characters, upper-cased, equal "NO".
    bool notNo(const std::string& key, const std::string& fallback) const {
        return cut(key, fallback) != "NO";
    }
    bool feet(const char* key, const std::string& fallback) const {
        return upperLatin1(text(key, fallback)) == "FEET";
    }
    // Only the exact text "MASS" selects a mass start.
    bool mass(const char* key, const std::string& fallback) const {
        return text(key, fallback) == "MASS";
    }

  private:
    std::string cut(const std::string& key, const std::string& fallback) const {
        return upperLatin1(ini_.readString(section_, key, fallback).substr(0, 60));
    }
    const IniFile& ini_;
    const char* section_;
};

std::string yesNo(bool v) {
    return v ? "YES" : "NO";
}
std::string feetMeters(bool feet) {
    return feet ? "FEET" : "METERS";
}
std::string massStagger(bool mass) {
    return mass ? "MASS" : "STAGGER";
}

std::string transponderKey(int set, int car) {
    return "Set" + std::to_string(set) + "_T" + std::to_string(car);
}

const char* const ClassPrefixes[] = {"Class",   "Q Class",       "A Class",      "B Class",
                                     "O Class", "TSCdown Class", "RSorder Class"};

} // namespace

void loadini(const IniFile& ini, ProgSettings& s) {
    const Reader count(ini, CountMethod);
    int lowest = count.integer("LOWEST HITS", -1);
    if (lowest == -1) lowest = 0;
    s.lowestHits = lowest < 50 ? lowest : 0;
    const int device = count.integer("COUNTDEVICE", 0);
    s.countDevice = device >= 0 && device <= 3 ? device : 0;
    s.count1ComPort = count.integer("COUNT1COMPORT", 0);
    s.speedTrap = count.yes("SPEEDTRAP", "-1");
    s.countSame = count.yes("COUNTSAME", "NO");
    s.ipAddress = count.text("IP ADDRESS", "");
    s.trapGap = count.text("TRAPGAP", "10");
    s.trapMeasureFeet = count.feet("TRAPMEASURE", "-1");
    s.ex20 = count.yes("EX20", "NO");
    const int silence = count.integer("DECODER SILENCE", 15);
    s.decoderSilence = silence == 0 || (silence >= 10 && silence <= 999) ? silence : 15;

    const Reader rcio(ini, Rcio);
    s.rcioComPort = rcio.integer("COMPORT", 0);
    s.compatible = rcio.yes("COMPATIBLE", "NO");
    s.secondAmb = rcio.yes("SECONDAMB", "NO");
    s.noLights = rcio.text("NOLIGHTS", "999");
    s.amberLight = rcio.text("AMBERLIGHT", "999");

    s.printRaceResults = Reader(ini, Printer).yes("RACE RESULTS", "YES");

    const Reader misc(ini, Misc);
    s.startOrderNames = misc.yes("START ORDER NAMES", "NO");
    s.startFromLeader = misc.yes("START FROM LEADER", "NO");
    s.requiresFreq = misc.yes("REQUIRES FREQ", "YES");
    s.tranLetters = misc.yes("TRAN LETTERS", "NO");
    s.scrollChange = misc.notNo("SCROLLCHANGE", "-1");
    s.dpLapsOnly = misc.yes("DPLAPSONLY", "-1");
    int gap = misc.integer("STAGGER GAP", 1000);
    if (gap > 3000) gap = 1000;
    if (gap < 1000) gap = 1000;
    s.staggerGap = gap;
    int beeps = misc.integer("COUNT BEEPS", 10);
    if (beeps > 10) beeps = 10;
    if (beeps < 2) beeps = 10;
    s.countBeeps = beeps;
    s.staggerOrderLast = upperLatin1(misc.text("STAGGER ORDER", "-1")) == "LAST";
    s.autoKeys = misc.yes("AUTO KEYS", "NO");
    s.oneColumn = misc.yes("ONE COLUMN", "NO");
    s.italy = misc.yes("ITALY", "NO");

    const Reader score(ini, ScoreMethod);
    s.clr = score.yes("CLR", "-1");
    s.clrLaps = score.integer("CLRLAPS", 5);

    const Reader event(ini, Event);
    s.countFirst = event.notNo("COUNT FIRST", "YES");

    const Reader sound(ini, Sound);
    s.runOrder = sound.text("RUN ORDER", "2");
    s.remainTime = sound.yes("Remain Time", "NO");
    s.betweenWarning = sound.yes("Between Warning", "NO");
    s.raceNumberRead = sound.yes("RACE NUMBER", "YES");
    s.finishOrder = sound.yes("FINISH ORDER", "YES");
    s.improvedDrivers = sound.yes("IMPROVED DRIVERS", "YES");
    s.count54321 = sound.yes("54321", "NO");
    s.passBeeps = sound.yes("Pass Beeps", "YES");

    s.trackLength = event.text("TRACK LENGTH", "500");
    s.trackMeasureFeet = event.feet("TRACK MEASURE", "METERS");

    const Reader times(ini, Times);
    s.minLap = times.text("MIN LAP", "7");
    s.lastStart = times.text("LAST START", "30");
    s.raceInterval = times.text("RACE INTIVAL", "60");
    s.raceSetup = times.text("RACE SETUP", "30");
    s.lastLap = times.text("LAST LAP", "30");

    s.heatMass = event.mass("HEAT TYPE", "STAGGER");
    s.finalMass = event.mass("FINAL TYPE", "MASS");

    const Reader track(ini, TrackTransponders);
    for (int set = 1; set <= 4; ++set)
        s.trackSets[set].name =
            track.text(("Set" + std::to_string(set) + "Name").c_str(), "").substr(0, 10);

    const Reader classes(ini, Classes);
    for (int i = 0; i < MaxClasses; ++i) {
        ClassSetup& c = s.classes[static_cast<size_t>(i)];
        const std::string n = std::to_string(i);
        std::string name = classes.text((ClassPrefixes[0] + n).c_str(), "-1");
        c.name = (name == "-1" || name.size() > ClassNameCapacity) ? std::string() : name;
        c.qualMinutes = classes.integer(ClassPrefixes[1] + n, 5);
        c.aMinutes = classes.integer(ClassPrefixes[2] + n, 5);
        c.bMinutes = classes.integer(ClassPrefixes[3] + n, 5);
        c.otherMinutes = classes.integer(ClassPrefixes[4] + n, 5);
        c.tenSecCountdown = classes.notNo(ClassPrefixes[5] + n, "YES");
        c.readStartOrder = classes.notNo(ClassPrefixes[6] + n, "YES");
    }

    for (int set = 1; set <= 4; ++set)
        for (int car = 1; car <= MaxSlots; ++car)
            s.trackSets[set].transponders[car] = track.integer(transponderKey(set, car), -1);

    holdSettingRanges(s);
}

void writeini(const ProgSettings& s, IniFile& ini) {
    ini.write("Version", "LastSet", ProgramVersion);

    ini.write(CountMethod, "COUNTDEVICE", std::to_string(s.countDevice));
    ini.write(CountMethod, "COUNT1COMPORT", std::to_string(s.count1ComPort));
    ini.write(CountMethod, "IP ADDRESS", s.ipAddress);
    ini.write(CountMethod, "SPEEDTRAP", yesNo(s.speedTrap));
    ini.write(CountMethod, "TRAPGAP", s.trapGap);
    ini.write(CountMethod, "TRAPMEASURE", feetMeters(s.trapMeasureFeet));
    ini.write(CountMethod, "EX20", yesNo(s.ex20));
    ini.write(CountMethod, "DECODER SILENCE", std::to_string(s.decoderSilence));

    ini.write(Rcio, "COMPORT", std::to_string(s.rcioComPort));
    ini.write(Rcio, "COMPATIBLE", yesNo(s.compatible));
    ini.write(Rcio, "SECONDAMB", yesNo(s.secondAmb));
    ini.write(Rcio, "NOLIGHTS", s.noLights);
    ini.write(Rcio, "AMBERLIGHT", s.amberLight);

    ini.write(CountMethod, "COUNTSAME", yesNo(s.countSame));
    ini.write(Misc, "ITALY", yesNo(s.italy));
    ini.write(Misc, "TRAN LETTERS", yesNo(s.tranLetters));
    ini.write(Printer, "RACE RESULTS", yesNo(s.printRaceResults));

    ini.write(Misc, "START FROM LEADER", yesNo(s.startFromLeader));
    ini.write(Misc, "START ORDER NAMES", yesNo(s.startOrderNames));
    ini.write(Misc, "REQUIRES FREQ", yesNo(s.requiresFreq));
    ini.write(Misc, "SCROLLCHANGE", yesNo(s.scrollChange));
    ini.write(Misc, "STAGGER GAP", std::to_string(s.staggerGap));
    ini.write(Misc, "STAGGER ORDER", s.staggerOrderLast ? "LAST" : "FTD");
    ini.write(Misc, "COUNT BEEPS", std::to_string(s.countBeeps));
    ini.write(Misc, "AUTO KEYS", yesNo(s.autoKeys));
    ini.write(Misc, "ONE COLUMN", yesNo(s.oneColumn));

    ini.write(ScoreMethod, "CLR", yesNo(s.clr));
    ini.write(ScoreMethod, "CLRLAPS", std::to_string(s.clrLaps));

    ini.write(Sound, "RUN ORDER", s.runOrder);
    ini.write(Sound, "Remain Time", yesNo(s.remainTime));
    ini.write(Sound, "Between Warning", yesNo(s.betweenWarning));
    ini.write(Sound, "RACE NUMBER", yesNo(s.raceNumberRead));
    ini.write(Sound, "FINISH ORDER", yesNo(s.finishOrder));
    ini.write(Sound, "IMPROVED DRIVERS", yesNo(s.improvedDrivers));
    ini.write(Sound, "54321", yesNo(s.count54321));
    ini.write(Sound, "Pass Beeps", yesNo(s.passBeeps));

    ini.write(Event, "TRACK LENGTH", s.trackLength);
    ini.write(Event, "TRACK MEASURE", feetMeters(s.trackMeasureFeet));
    ini.write(Event, "HEAT TYPE", massStagger(s.heatMass));
    ini.write(Event, "FINAL TYPE", massStagger(s.finalMass));
    ini.write(Event, "COUNT FIRST", yesNo(s.countFirst));

    ini.write(Times, "MIN LAP", s.minLap);
    ini.write(Times, "LAST START", s.lastStart);
    ini.write(Times, "RACE INTIVAL", s.raceInterval);
    ini.write(Times, "RACE SETUP", s.raceSetup);
    ini.write(Times, "LAST LAP", s.lastLap);

    for (int set = 1; set <= 4; ++set)
        ini.write(TrackTransponders, "Set" + std::to_string(set) + "Name", s.trackSets[set].name);

    for (int i = 0; i < MaxClasses; ++i) {
        const ClassSetup& c = s.classes[static_cast<size_t>(i)];
        const std::string n = std::to_string(i);
        ini.write(Classes, ClassPrefixes[0] + n, c.name);
        ini.write(Classes, ClassPrefixes[1] + n, std::to_string(c.qualMinutes));
        ini.write(Classes, ClassPrefixes[2] + n, std::to_string(c.aMinutes));
        ini.write(Classes, ClassPrefixes[3] + n, std::to_string(c.bMinutes));
        ini.write(Classes, ClassPrefixes[4] + n, std::to_string(c.otherMinutes));
        ini.write(Classes, ClassPrefixes[5] + n, yesNo(c.tenSecCountdown));
        ini.write(Classes, ClassPrefixes[6] + n, yesNo(c.readStartOrder));
    }

    for (int set = 1; set <= 4; ++set)
        for (int car = 1; car <= MaxSlots; ++car)
            ini.write(TrackTransponders, transponderKey(set, car),
                      std::to_string(s.trackSets[set].transponders[car]));
}

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

} // namespace vexa
