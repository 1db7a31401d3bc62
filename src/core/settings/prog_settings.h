#pragma once

#include "model/limits.h"

#include <array>
#include <cstdint>
#include <string>

namespace vexa {

// One class of the class table: its name and race lengths in minutes.
struct ClassSetup {
    std::string name; // at most 20 characters
    int32_t qualMinutes = 5;
    int32_t aMinutes = 5;
    int32_t bMinutes = 5;
    int32_t otherMinutes = 5;
    bool tenSecCountdown = true; // ten-second countdown beeps before the start
    bool readStartOrder = true;  // read the start order (stagger starts only)

    bool operator==(const ClassSetup&) const = default;
};

// A set of transponders carried by the track's own cars 1..20; -1 = none.
struct TrackTransponderSet {
    std::string name; // at most 10 characters
    std::array<int32_t, MaxSlots + 1> transponders{};

    TrackTransponderSet() { transponders.fill(-1); }
    bool operator==(const TrackTransponderSet&) const = default;
};

// The settings model: the values of the settings file, plus the event values that the event
// settings file holds (title, current round and race, the table raced from, maximum race laps).
struct ProgSettings {
    // COUNT METHOD
    int lowestHits = 0;    // least hits an AMBrc passing needs; never written
    int countDevice = 0;   // 0 manual, 1 System 20, 2 AMBrc, 3 P3 (TCP)
    int count1ComPort = 0; // 0..7 = COM1..COM8, 8 = TCP
    bool speedTrap = false;
    bool countSame = false;
    std::string ipAddress;
    std::string trapGap = "10";
    bool trapMeasureFeet = false;
    bool ex20 = false;
    // Seconds without a byte from an AMBrc or P3 decoder during a race after which its link is
    // taken as lost; 0 = never.
    int decoderSilence = 15;

    // RCIO
    int rcioComPort = 0; // 0 none, 1..8 = COM1..COM8
    bool compatible = false;
    bool secondAmb = false;
    std::string noLights = "999";
    std::string amberLight = "999";

    // PRINTER
    bool printRaceResults = true;

    // MISC
    bool startOrderNames = false;
    bool startFromLeader = false;
    bool requiresFreq = true;
    bool tranLetters = false;
    bool scrollChange = true;
    bool dpLapsOnly = false; // never written
    int staggerGap = 1000;   // ms, 1000..3000
    int countBeeps = 10;     // 2..10
    bool staggerOrderLast = false;
    bool autoKeys = false;
    bool oneColumn = false;
    bool italy = false;

    // SCORE METHOD
    bool clr = false;
    int clrLaps = 5;

    // EVENT
    bool countFirst = true;
    std::string trackLength = "500";
    bool trackMeasureFeet = false;
    bool heatMass = false; // heats: stagger start unless mass
    bool finalMass = true;

    // Sound
    std::string runOrder = "2";
    bool remainTime = false;
    bool betweenWarning = false;
    bool raceNumberRead = true;
    bool finishOrder = true;
    bool improvedDrivers = true;
    bool count54321 = false;
    bool passBeeps = true;

    // TIMES (seconds, as typed)
    std::string minLap = "7";
    std::string lastStart = "30";
    std::string raceInterval = "60";
    std::string raceSetup = "30";
    std::string lastLap = "30";

    std::array<TrackTransponderSet, 5> trackSets{}; // 1..4
    std::array<ClassSetup, MaxClasses> classes{};   // 0..30

    // LIVE RESULTS: the pages and feed served on the track's network.
    bool liveEnabled = true;
    int livePort = 8080;     // 1..65535
    std::string liveAddress; // the address to listen on; empty: every interface
    int scoreboardPort =
        50000; // the scoreboard feed (RMonitor records) on the same address; 0: off

    // DISPLAY: how the windows look and where they stand, kept between starts.
    int standingsZoom = 100;     // the standings' size in percent, 50..300
    bool darkRaceScreen = false; // the race screen's dark high-contrast theme
    std::string mainWindowPlace; // "x,y,width,height" and ",max" when maximised; empty: none
    std::string raceScreenPlace;

    // The "Round 1 Start Order": car numbers in start order, rows 1..20 (0 = empty row). Not
    // kept in any file; every run starts with 1..20.
    std::array<int, MaxSlots + 1> firstRoundOrder = defaultFirstRoundOrder();

    // Event values, kept in the event settings file.
    std::string eventTitle;
    int raceNumber = 1;  // 1..50
    int roundNumber = 1; // 1..20
    bool racingHeats = true;
    int maxRaceLaps = 0;

    const ClassSetup& classSetup(int classno) const;
    // The track length and the speed-trap gap in miles (an empty or unreadable field counts 0).
    double trackLengthMiles() const;
    double trapGapMiles() const;
    static std::array<int, MaxSlots + 1> defaultFirstRoundOrder();
    // The class as lists show it: the number, ") " and the name.
    std::string classText(int classno) const;

    bool operator==(const ProgSettings&) const = default;
};

// A row of the "Round 1 Start Order" dragged from row `from` to row `to` (1..20): the rows between
// close up.
void moveFirstRoundOrderRow(std::array<int, MaxSlots + 1>& order, int from, int to);

} // namespace vexa
