#include "files/file_io.h"
#include "files/settings_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vexa;

namespace {

ProgSettings load(const std::string& text) {
    ProgSettings s;
    loadini(IniFile::parse(text), s);
    return s;
}

struct ReadCase {
    const char* name;
    const char* ini;
    std::function<bool(const ProgSettings&)> holds;
};

TEST(SettingsFile, ReadRulesAndClamps) {
    const ReadCase cases[] = {
        {"device 7 is manual", "[COUNT METHOD]\nCOUNTDEVICE=7",
         [](auto& s) { return s.countDevice == 0; }},
        {"device -1 is manual", "[COUNT METHOD]\nCOUNTDEVICE=-1",
         [](auto& s) { return s.countDevice == 0; }},
        {"device 2 taken", "[COUNT METHOD]\nCOUNTDEVICE=2",
         [](auto& s) { return s.countDevice == 2; }},
        {"non-numeric device is default", "[COUNT METHOD]\nCOUNTDEVICE=two",
         [](auto& s) { return s.countDevice == 0; }},
        {"device 3 is P3", "[COUNT METHOD]\nCOUNTDEVICE=3",
         [](auto& s) { return s.countDevice == 3; }},
        {"device 4 is manual", "[COUNT METHOD]\nCOUNTDEVICE=4",
         [](auto& s) { return s.countDevice == 0; }},
        {"scoreboard port 0 is off", "[LIVE RESULTS]\nSCOREBOARD PORT=0",
         [](auto& s) { return s.scoreboardPort == 0; }},
        {"scoreboard port 70000 is the usual", "[LIVE RESULTS]\nSCOREBOARD PORT=70000",
         [](auto& s) { return s.scoreboardPort == 50000; }},
        {"scoreboard port -1 is the usual", "[LIVE RESULTS]\nSCOREBOARD PORT=-1",
         [](auto& s) { return s.scoreboardPort == 50000; }},
        {"zoom 20 is the least", "[DISPLAY]\nSTANDINGS ZOOM=20",
         [](auto& s) { return s.standingsZoom == 50; }},
        {"zoom 900 is the most", "[DISPLAY]\nSTANDINGS ZOOM=900",
         [](auto& s) { return s.standingsZoom == 300; }},
        {"a zoom that is no number is 100", "[DISPLAY]\nSTANDINGS ZOOM=big",
         [](auto& s) { return s.standingsZoom == 100; }},
        {"silence 0 is off", "[COUNT METHOD]\nDECODER SILENCE=0",
         [](auto& s) { return s.decoderSilence == 0; }},
        {"silence 10 taken", "[COUNT METHOD]\nDECODER SILENCE=10",
         [](auto& s) { return s.decoderSilence == 10; }},
        {"silence 999 taken", "[COUNT METHOD]\nDECODER SILENCE=999",
         [](auto& s) { return s.decoderSilence == 999; }},
        {"silence 9 is default", "[COUNT METHOD]\nDECODER SILENCE=9",
         [](auto& s) { return s.decoderSilence == 15; }},
        {"silence 1000 is default", "[COUNT METHOD]\nDECODER SILENCE=1000",
         [](auto& s) { return s.decoderSilence == 15; }},
        {"silence -5 is default", "[COUNT METHOD]\nDECODER SILENCE=-5",
         [](auto& s) { return s.decoderSilence == 15; }},
        {"silence 2147483648 is default", "[COUNT METHOD]\nDECODER SILENCE=2147483648",
         [](auto& s) { return s.decoderSilence == 15; }},
        {"gap 500", "[MISC]\nSTAGGER GAP=500", [](auto& s) { return s.staggerGap == 1000; }},
        {"gap 3001", "[MISC]\nSTAGGER GAP=3001", [](auto& s) { return s.staggerGap == 1000; }},
        {"gap 2500", "[MISC]\nSTAGGER GAP=2500", [](auto& s) { return s.staggerGap == 2500; }},
        {"beeps 1", "[MISC]\nCOUNT BEEPS=1", [](auto& s) { return s.countBeeps == 10; }},
        {"beeps 11", "[MISC]\nCOUNT BEEPS=11", [](auto& s) { return s.countBeeps == 10; }},
        {"beeps 2", "[MISC]\nCOUNT BEEPS=2", [](auto& s) { return s.countBeeps == 2; }},
        {"hits 60", "[COUNT METHOD]\nLOWEST HITS=60", [](auto& s) { return s.lowestHits == 0; }},
        {"hits 3", "[COUNT METHOD]\nLOWEST HITS=3", [](auto& s) { return s.lowestHits == 3; }},
        {"hits -1", "[COUNT METHOD]\nLOWEST HITS=-1", [](auto& s) { return s.lowestHits == 0; }},
        {"mass in lower case is stagger", "[EVENT]\nHEAT TYPE=mass",
         [](auto& s) { return !s.heatMass; }},
        {"MASS is mass", "[EVENT]\nHEAT TYPE=MASS", [](auto& s) { return s.heatMass; }},
        {"feet in lower case is feet", "[EVENT]\nTRACK MEASURE=feet",
         [](auto& s) { return s.trackMeasureFeet; }},
        {"scroll maybe is true", "[MISC]\nSCROLLCHANGE=maybe",
         [](auto& s) { return s.scrollChange; }},
        {"scroll no is false", "[MISC]\nSCROLLCHANGE=no", [](auto& s) { return !s.scrollChange; }},
        {"yes in any case", "[MISC]\nAUTO KEYS=yEs", [](auto& s) { return s.autoKeys; }},
        {"yes with more text is no", "[MISC]\nAUTO KEYS=YESS", [](auto& s) { return !s.autoKeys; }},
        {"stagger order last", "[MISC]\nSTAGGER ORDER=last",
         [](auto& s) { return s.staggerOrderLast; }},
        {"class -1 is empty", "[Classes]\nClass3=-1",
         [](auto& s) { return s.classes[3].name.empty(); }},
        {"class over 20 is empty", "[Classes]\nClass3=ABCDEFGHIJKLMNOPQRSTU",
         [](auto& s) { return s.classes[3].name.empty(); }},
        {"class name kept", "[Classes]\nClass30=Touring",
         [](auto& s) { return s.classes[30].name == "Touring"; }},
        {"class countdown no", "[Classes]\nTSCdown Class4=NO",
         [](auto& s) { return !s.classes[4].tenSecCountdown; }},
        {"transponder", "[Track Transponders]\nSet2_T15=4711",
         [](auto& s) { return s.trackSets[2].transponders[15] == 4711; }},
        {"sections match in any case", "[misc]\nitaly=YES", [](auto& s) { return s.italy; }},
        {"live results off", "[LIVE RESULTS]\nENABLED=no", [](auto& s) { return !s.liveEnabled; }},
        {"live results on unless NO", "[LIVE RESULTS]\nENABLED=maybe",
         [](auto& s) { return s.liveEnabled; }},
        {"port 80 taken", "[LIVE RESULTS]\nPORT=80", [](auto& s) { return s.livePort == 80; }},
        {"port 0 is default", "[LIVE RESULTS]\nPORT=0", [](auto& s) { return s.livePort == 8080; }},
        {"port 65536 is default", "[LIVE RESULTS]\nPORT=65536",
         [](auto& s) { return s.livePort == 8080; }},
        {"port text is default", "[LIVE RESULTS]\nPORT=http",
         [](auto& s) { return s.livePort == 8080; }},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.holds(load(c.ini))) << c.name;
}

TEST(SettingsFile, NumbersAreHeldToTheRangesOfTheirFields) {
    // Every number the race engine turns into a time, at the extremes a damaged or hand-edited
    // file can hold: each is held to what its field on the settings screen takes.
    struct Field {
        const char* section;
        const char* key;
        std::function<std::string(const ProgSettings&)> value;
        const char* low;  // after the most negative values
        const char* high; // after the largest values
    };
    const auto text = [](std::string ProgSettings::*field) {
        return [field](const ProgSettings& s) { return s.*field; };
    };
    const auto number = [](auto get) {
        return [get](const ProgSettings& s) { return std::to_string(get(s)); };
    };
    const Field fields[] = {
        {"TIMES", "MIN LAP", text(&ProgSettings::minLap), "0", "99"},
        {"TIMES", "LAST START", text(&ProgSettings::lastStart), "0", "999"},
        {"TIMES", "RACE INTIVAL", text(&ProgSettings::raceInterval), "0", "999"},
        {"TIMES", "RACE SETUP", text(&ProgSettings::raceSetup), "0", "999"},
        {"TIMES", "LAST LAP", text(&ProgSettings::lastLap), "0", "999"},
        {"Sound", "RUN ORDER", text(&ProgSettings::runOrder), "0", "99"},
        {"Classes", "Q Class0", number([](auto& s) { return s.classes[0].qualMinutes; }), "0",
         "1440"},
        {"Classes", "A Class7", number([](auto& s) { return s.classes[7].aMinutes; }), "0", "1440"},
        {"Classes", "B Class15", number([](auto& s) { return s.classes[15].bMinutes; }), "0",
         "1440"},
        {"Classes", "O Class30", number([](auto& s) { return s.classes[30].otherMinutes; }), "0",
         "1440"},
        {"SCORE METHOD", "CLRLAPS", number([](auto& s) { return s.clrLaps; }), "1", "999"},
    };
    for (const Field& f : fields) {
        const auto read = [&](const std::string& v) {
            return f.value(load("[" + std::string(f.section) + "]\n" + f.key + "=" + v));
        };
        for (const char* v : {"2147483647", "+1000000"})
            EXPECT_EQ(read(v), f.high) << f.key << "=" << v;
        for (const char* v : {"-2147483648", "-1"}) EXPECT_EQ(read(v), f.low) << f.key << "=" << v;
        EXPECT_EQ(read(f.high), f.high) << f.key;
    }
    // Times are text: however many digits they have, they are held all the same. (An integer key
    // beyond 32 bits is no whole number and reads as its default.)
    EXPECT_EQ(load("[TIMES]\nLAST LAP=99999999999999999999").lastLap, "999");
    EXPECT_EQ(load("[TIMES]\nMIN LAP=-99999999999999999999").minLap, "0");
    EXPECT_EQ(load("[Classes]\nQ Class3=99999999999999999999").classes[3].qualMinutes, 5);
    // Text that is no number stays as typed and reads as the field's default where it is used.
    EXPECT_EQ(load("[TIMES]\nLAST LAP=soon").lastLap, "soon");
}

TEST(SettingsFile, EachKeyReachesItsOwnValue) {
    // One key at a time, set away from its default: the value it names changes.
    const ReadCase cases[] = {
        {"COUNT1COMPORT", "[COUNT METHOD]\nCOUNT1COMPORT=8",
         [](auto& s) { return s.count1ComPort == 8; }},
        {"SPEEDTRAP", "[COUNT METHOD]\nSPEEDTRAP=YES", [](auto& s) { return s.speedTrap; }},
        {"COUNTSAME", "[COUNT METHOD]\nCOUNTSAME=YES", [](auto& s) { return s.countSame; }},
        {"IP ADDRESS", "[COUNT METHOD]\nIP ADDRESS=10.0.0.7",
         [](auto& s) { return s.ipAddress == "10.0.0.7"; }},
        {"TRAPGAP", "[COUNT METHOD]\nTRAPGAP=12", [](auto& s) { return s.trapGap == "12"; }},
        {"TRAPMEASURE", "[COUNT METHOD]\nTRAPMEASURE=FEET",
         [](auto& s) { return s.trapMeasureFeet; }},
        {"EX20", "[COUNT METHOD]\nEX20=YES", [](auto& s) { return s.ex20; }},
        {"COMPORT", "[RCIO]\nCOMPORT=4", [](auto& s) { return s.rcioComPort == 4; }},
        {"COMPATIBLE", "[RCIO]\nCOMPATIBLE=YES", [](auto& s) { return s.compatible; }},
        {"SECONDAMB", "[RCIO]\nSECONDAMB=YES", [](auto& s) { return s.secondAmb; }},
        {"NOLIGHTS", "[RCIO]\nNOLIGHTS=5", [](auto& s) { return s.noLights == "5"; }},
        {"AMBERLIGHT", "[RCIO]\nAMBERLIGHT=9", [](auto& s) { return s.amberLight == "9"; }},
        {"RACE RESULTS", "[PRINTER]\nRACE RESULTS=NO", [](auto& s) { return !s.printRaceResults; }},
        {"START ORDER NAMES", "[MISC]\nSTART ORDER NAMES=YES",
         [](auto& s) { return s.startOrderNames; }},
        {"START FROM LEADER", "[MISC]\nSTART FROM LEADER=YES",
         [](auto& s) { return s.startFromLeader; }},
        {"REQUIRES FREQ", "[MISC]\nREQUIRES FREQ=NO", [](auto& s) { return !s.requiresFreq; }},
        {"TRAN LETTERS", "[MISC]\nTRAN LETTERS=YES", [](auto& s) { return s.tranLetters; }},
        {"DPLAPSONLY", "[MISC]\nDPLAPSONLY=YES", [](auto& s) { return s.dpLapsOnly; }},
        {"AUTO KEYS", "[MISC]\nAUTO KEYS=YES", [](auto& s) { return s.autoKeys; }},
        {"ONE COLUMN", "[MISC]\nONE COLUMN=YES", [](auto& s) { return s.oneColumn; }},
        {"ITALY", "[MISC]\nITALY=YES", [](auto& s) { return s.italy; }},
        {"CLR", "[SCORE METHOD]\nCLR=YES", [](auto& s) { return s.clr; }},
        {"CLRLAPS", "[SCORE METHOD]\nCLRLAPS=9", [](auto& s) { return s.clrLaps == 9; }},
        {"COUNT FIRST", "[EVENT]\nCOUNT FIRST=NO", [](auto& s) { return !s.countFirst; }},
        {"TRACK LENGTH", "[EVENT]\nTRACK LENGTH=320",
         [](auto& s) { return s.trackLength == "320"; }},
        {"FINAL TYPE", "[EVENT]\nFINAL TYPE=STAGGER", [](auto& s) { return !s.finalMass; }},
        {"RUN ORDER", "[Sound]\nRUN ORDER=0", [](auto& s) { return s.runOrder == "0"; }},
        {"Remain Time", "[Sound]\nRemain Time=YES", [](auto& s) { return s.remainTime; }},
        {"Between Warning", "[Sound]\nBetween Warning=YES",
         [](auto& s) { return s.betweenWarning; }},
        {"RACE NUMBER", "[Sound]\nRACE NUMBER=NO", [](auto& s) { return !s.raceNumberRead; }},
        {"FINISH ORDER", "[Sound]\nFINISH ORDER=NO", [](auto& s) { return !s.finishOrder; }},
        {"IMPROVED DRIVERS", "[Sound]\nIMPROVED DRIVERS=NO",
         [](auto& s) { return !s.improvedDrivers; }},
        {"54321", "[Sound]\n54321=YES", [](auto& s) { return s.count54321; }},
        {"Pass Beeps", "[Sound]\nPass Beeps=NO", [](auto& s) { return !s.passBeeps; }},
        {"MIN LAP", "[TIMES]\nMIN LAP=8", [](auto& s) { return s.minLap == "8"; }},
        {"LAST START", "[TIMES]\nLAST START=31", [](auto& s) { return s.lastStart == "31"; }},
        {"RACE INTIVAL", "[TIMES]\nRACE INTIVAL=61",
         [](auto& s) { return s.raceInterval == "61"; }},
        {"RACE SETUP", "[TIMES]\nRACE SETUP=32", [](auto& s) { return s.raceSetup == "32"; }},
        {"LAST LAP", "[TIMES]\nLAST LAP=33", [](auto& s) { return s.lastLap == "33"; }},
        {"Set3Name", "[Track Transponders]\nSet3Name=Yellow",
         [](auto& s) { return s.trackSets[3].name == "Yellow"; }},
        {"set name cut to 10", "[Track Transponders]\nSet1Name=Light Green Cars",
         [](auto& s) { return s.trackSets[1].name == "Light Gree"; }},
        {"Set4_T20", "[Track Transponders]\nSet4_T20=77",
         [](auto& s) { return s.trackSets[4].transponders[20] == 77; }},
        {"Q Class5", "[Classes]\nQ Class5=6",
         [](auto& s) { return s.classes[5].qualMinutes == 6; }},
        {"A Class5", "[Classes]\nA Class5=7", [](auto& s) { return s.classes[5].aMinutes == 7; }},
        {"B Class5", "[Classes]\nB Class5=8", [](auto& s) { return s.classes[5].bMinutes == 8; }},
        {"O Class5", "[Classes]\nO Class5=9",
         [](auto& s) { return s.classes[5].otherMinutes == 9; }},
        {"RSorder Class0", "[Classes]\nRSorder Class0=NO",
         [](auto& s) { return !s.classes[0].readStartOrder; }},
        {"ENABLED", "[LIVE RESULTS]\nENABLED=NO", [](auto& s) { return !s.liveEnabled; }},
        {"PORT", "[LIVE RESULTS]\nPORT=8181", [](auto& s) { return s.livePort == 8181; }},
        {"ADDRESS", "[LIVE RESULTS]\nADDRESS=127.0.0.1",
         [](auto& s) { return s.liveAddress == "127.0.0.1"; }},
        {"SCOREBOARD PORT", "[LIVE RESULTS]\nSCOREBOARD PORT=50001",
         [](auto& s) { return s.scoreboardPort == 50001; }},
        {"STANDINGS ZOOM", "[DISPLAY]\nSTANDINGS ZOOM=150",
         [](auto& s) { return s.standingsZoom == 150; }},
        {"DARK RACE SCREEN", "[DISPLAY]\nDARK RACE SCREEN=YES",
         [](auto& s) { return s.darkRaceScreen; }},
        {"MAIN WINDOW", "[DISPLAY]\nMAIN WINDOW=10,20,1024,600",
         [](auto& s) { return s.mainWindowPlace == "10,20,1024,600"; }},
        {"RACE SCREEN", "[DISPLAY]\nRACE SCREEN=0,0,800,600,max",
         [](auto& s) { return s.raceScreenPlace == "0,0,800,600,max"; }},
    };
    const ProgSettings defaults = load("");
    for (const auto& c : cases) {
        EXPECT_FALSE(c.holds(defaults)) << c.name;
        EXPECT_TRUE(c.holds(load(c.ini))) << c.name;
    }
}

TEST(SettingsFile, DefaultsOfAMissingFile) {
    const ProgSettings s = load("");
    EXPECT_EQ(s.countDevice, 0);
    EXPECT_EQ(s.decoderSilence, 15);
    EXPECT_FALSE(s.speedTrap);
    EXPECT_EQ(s.trapGap, "10");
    EXPECT_FALSE(s.trapMeasureFeet);
    EXPECT_EQ(s.noLights, "999");
    EXPECT_TRUE(s.printRaceResults);
    EXPECT_TRUE(s.requiresFreq);
    EXPECT_TRUE(s.scrollChange);
    EXPECT_FALSE(s.dpLapsOnly);
    EXPECT_FALSE(s.staggerOrderLast);
    EXPECT_FALSE(s.clr);
    EXPECT_EQ(s.clrLaps, 5);
    EXPECT_TRUE(s.countFirst);
    EXPECT_FALSE(s.heatMass);
    EXPECT_TRUE(s.finalMass);
    EXPECT_EQ(s.runOrder, "2");
    EXPECT_TRUE(s.passBeeps);
    EXPECT_EQ(s.raceInterval, "60");
    EXPECT_EQ(s.classes[0].name, "");
    EXPECT_EQ(s.classes[0].qualMinutes, 5);
    EXPECT_TRUE(s.classes[0].readStartOrder);
    EXPECT_EQ(s.trackSets[4].transponders[20], -1);
    EXPECT_TRUE(s.liveEnabled);
    EXPECT_EQ(s.livePort, 8080);
    EXPECT_EQ(s.liveAddress, "");
}

// The file a save writes into an empty file, written out by hand.
std::string expectedDefaultFile() {
    std::string t =
        "[Version]\r\nLastSet=0.14\r\n"
        "[COUNT METHOD]\r\nCOUNTDEVICE=0\r\nCOUNT1COMPORT=0\r\nIP ADDRESS=\r\n"
        "SPEEDTRAP=NO\r\nTRAPGAP=10\r\nTRAPMEASURE=METERS\r\nEX20=NO\r\nDECODER SILENCE=15\r\n"
        "COUNTSAME=NO\r\n"
        "[RCIO]\r\nCOMPORT=0\r\nCOMPATIBLE=NO\r\nSECONDAMB=NO\r\nNOLIGHTS=999\r\n"
        "AMBERLIGHT=999\r\n"
        "[MISC]\r\nITALY=NO\r\nTRAN LETTERS=NO\r\nSTART FROM LEADER=NO\r\n"
        "START ORDER NAMES=NO\r\nREQUIRES FREQ=YES\r\nSCROLLCHANGE=YES\r\n"
        "STAGGER GAP=1000\r\nSTAGGER ORDER=FTD\r\nCOUNT BEEPS=10\r\nAUTO KEYS=NO\r\n"
        "ONE COLUMN=NO\r\n"
        "[PRINTER]\r\nRACE RESULTS=YES\r\n"
        "[SCORE METHOD]\r\nCLR=NO\r\nCLRLAPS=5\r\n"
        "[Sound]\r\nRUN ORDER=2\r\nRemain Time=NO\r\nBetween Warning=NO\r\n"
        "RACE NUMBER=YES\r\nFINISH ORDER=YES\r\nIMPROVED DRIVERS=YES\r\n54321=NO\r\n"
        "Pass Beeps=YES\r\n"
        "[EVENT]\r\nTRACK LENGTH=500\r\nTRACK MEASURE=METERS\r\nHEAT TYPE=STAGGER\r\n"
        "FINAL TYPE=MASS\r\nCOUNT FIRST=YES\r\n"
        "[TIMES]\r\nMIN LAP=7\r\nLAST START=30\r\nRACE INTIVAL=60\r\nRACE SETUP=30\r\n"
        "LAST LAP=30\r\n"
        "[Track Transponders]\r\nSet1Name=\r\nSet2Name=\r\nSet3Name=\r\nSet4Name=\r\n";
    for (int s = 1; s <= 4; ++s)
        for (int c = 1; c <= 20; ++c)
            t += "Set" + std::to_string(s) + "_T" + std::to_string(c) + "=-1\r\n";
    t += "[Classes]\r\n";
    for (int i = 0; i <= 30; ++i) {
        const std::string n = std::to_string(i);
        t += "Class" + n + "=\r\nQ Class" + n + "=5\r\nA Class" + n + "=5\r\nB Class" + n +
             "=5\r\nO Class" + n + "=5\r\nTSCdown Class" + n + "=YES\r\nRSorder Class" + n +
             "=YES\r\n";
    }
    t += "[LIVE RESULTS]\r\nENABLED=YES\r\nPORT=8080\r\nADDRESS=\r\nSCOREBOARD PORT=50000\r\n";
    t += "[DISPLAY]\r\nSTANDINGS ZOOM=100\r\nDARK RACE SCREEN=NO\r\nMAIN WINDOW=\r\n"
         "RACE SCREEN=\r\n";
    return t;
}

TEST(SettingsFile, GoldenTextOfAFreshSave) {
    IniFile ini;
    writeini(ProgSettings{}, ini);
    EXPECT_EQ(ini.text(), expectedDefaultFile());
}

TEST(SettingsFile, AFileInTheProgramsOrderIsWrittenBackByteForByte) {
    std::string text = expectedDefaultFile();
    const std::pair<const char*, const char*> changes[] = {
        {"COUNTDEVICE=0", "COUNTDEVICE=2"},
        {"IP ADDRESS=\r", "IP ADDRESS=192.168.1.20\r"},
        {"TRAPMEASURE=METERS", "TRAPMEASURE=FEET"},
        {"SCROLLCHANGE=YES", "SCROLLCHANGE=NO"},
        {"STAGGER GAP=1000", "STAGGER GAP=2500"},
        {"STAGGER ORDER=FTD", "STAGGER ORDER=LAST"},
        {"HEAT TYPE=STAGGER", "HEAT TYPE=MASS"},
        {"FINAL TYPE=MASS", "FINAL TYPE=STAGGER"},
        {"Set2Name=\r", "Set2Name=Red\r"},
        {"Set2_T15=-1", "Set2_T15=4711"},
        {"Class12=\r", "Class12=Touring 1/10\r"},
        {"TSCdown Class12=YES", "TSCdown Class12=NO"},
        {"O Class30=5", "O Class30=12"},
        {"PORT=8080", "PORT=8090"},
        {"ADDRESS=\r", "ADDRESS=192.168.1.5\r"},
    };
    for (const auto& [from, to] : changes) {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, std::string(from).size(), to);
    }
    IniFile written;
    writeini(load(text), written);
    EXPECT_EQ(written.text(), text);
}

TEST(SettingsFile, SaveKeepsHandTypedAndUnknownLinesAndRoundTrips) {
    test::TempDir dir;
    const auto path = dir.path() / "vexa.ini";
    const std::string original = "[COUNT METHOD]\r\nCOUNTDEVICE=7\r\nLOWEST HITS=3\r\n"
                                 "[MISC]\r\nDPLAPSONLY=yes\r\n[Club]\r\nColour=red\r\n";
    ASSERT_TRUE(writeFileAtomic(path, original).ok);
    ProgSettings s;
    loadSettingsFile(path, s);
    EXPECT_EQ(s.countDevice, 0);
    EXPECT_EQ(s.lowestHits, 3);
    EXPECT_TRUE(s.dpLapsOnly);
    s.classes[2].name = "Buggy";
    s.trackSets[1].transponders[3] = 123;
    s.staggerGap = 2500;
    ASSERT_TRUE(saveSettingsFile(path, s).ok);

    const auto bytes = readWholeFile(path);
    const std::string saved(bytes->begin(), bytes->end());
    EXPECT_NE(saved.find("COUNTDEVICE=0\r\nLOWEST HITS=3\r\n"), std::string::npos);
    EXPECT_NE(saved.find("DPLAPSONLY=yes\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[Club]\r\nColour=red\r\n"), std::string::npos);

    ProgSettings back;
    loadSettingsFile(path, back);
    EXPECT_EQ(back.classes[2].name, "Buggy");
    EXPECT_EQ(back.trackSets[1].transponders[3], 123);
    EXPECT_EQ(back.staggerGap, 2500);
    EXPECT_EQ(back.lowestHits, 3);
}

// Held by the vexa.ini fuzz target (fuzz/regressions/vexa_ini/): a value in quotes lost them, or
// its blanks, on every save.
TEST(SettingsFile, QuotedValuesSurviveASave) {
    test::TempDir dir;
    const auto path = dir.path() / "vexa.ini";
    ASSERT_TRUE(writeFileAtomic(
                    path, std::string("[Classes]\nClass1=\"\"Open\"\"\n[TIMES]\nMIN LAP=\" 7\"\n"))
                    .ok);
    ProgSettings first;
    loadSettingsFile(path, first);
    EXPECT_EQ(first.classes[1].name, "\"Open\"");
    EXPECT_EQ(first.minLap, " 7");
    ASSERT_TRUE(saveSettingsFile(path, first).ok);
    ProgSettings second;
    loadSettingsFile(path, second);
    EXPECT_EQ(second.classes[1].name, "\"Open\"");
    EXPECT_EQ(second.minLap, " 7");
}

} // namespace
