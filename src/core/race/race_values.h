#pragma once

#include "model/race_driver.h"

#include <string>

namespace vexa {

namespace RaceStates {
inline constexpr int NeverOpened = 0;
inline constexpr int BetweenRaces = 1;
inline constexpr int Running = 2;
inline constexpr int CountdownPaused = 3;
} // namespace RaceStates

inline constexpr int MassStart = 1;
inline constexpr int StaggerStart = 2;
inline constexpr int HeatRace = 1;
inline constexpr int FinalRace = 2;

// The race engine's values that other parts read (RaceEngine::values()). Only the engine
// changes them, through its named operations.
struct RaceValues {
    RaceDrivers race_drivers;
    int RaceState = RaceStates::NeverOpened;
    int StartType = MassStart;
    int RaceKind = HeatRace;
    int RaceNumber = 0;
    int RoundNumber = 0;
    int MaxLapCount = 0;
    int MinLap = 7;
    int MaxLastLap = 30;
    int LastStart = 30;
    int PreRaceSetup = 30;
    int ReadOrderInterval = 120;
    int RaceInterval = 60;
    int CountBeeps = 10;
    int RaceClass = 0;
    int RaceMinutes = 0;
    std::string FinalLetter;
    int RoundBestLapCount = 0;
    double RoundBestTime = 0.0;
    int FtdLapCount = 0;
    double FtdTime = 0.0;
    int FinishedCount = 0;
    bool TenSecondCountdown = false;
    bool StartOrderSpoken = false;
    bool StaggerByLastRound = false;
    bool SetupDone = false;
    int ClockSeconds = 0;
    int NextReadOrder = 0;
    bool BookingIn = false;
    bool SpeedTrapActive = false;
    int PrevLeader = 0;
    bool ManualKeys = false; // the lap counting keys are on
    int Copies = 1;          // copies of the lap times printed after a race, 1..9
    double TrackMiles = 0.0;
    double TrapMiles = 0.0;
};

} // namespace vexa
