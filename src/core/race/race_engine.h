#pragma once

#include "ports/clock.h"
#include "ports/operator.h"
#include "ports/race_outputs.h"
#include "ports/race_view.h"
#include "ports/scheduler.h"
#include "ports/sound_out.h"
#include "ports/timing_equipment.h"
#include "ports/track_controller.h"
#include "race/announcer.h"
#include "race/race_driver.h"
#include "race/race_panel.h"
#include "race/race_timer.h"
#include "race/standings.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace vexa {

struct Program;

// The world the race engine meets: time, sound, the operator, the counting equipment, the track
// controller, the end-of-race outputs and (optionally) the screens.
struct RacePorts {
    Clock& clock;
    Scheduler& scheduler;
    SoundOut& sound;
    Operator& op;
    TimingEquipment& equipment;
    TrackController& track;
    RaceOutputs& outputs;
    RaceView* view = nullptr; // none when running headless
};

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

inline constexpr const char* NoDriversMessage =
    "There are no drivers in this race, select another race from the setup screen";
inline constexpr const char* RestartRaceQuestion = "Restart the Race";
inline constexpr const char* EndRaceQuestion = "End the Race (Saving Scores)";
inline constexpr const char* NoCarWithNumberMessage = "No car with that number";
inline constexpr const char* CarNotStartedMessage =
    "Car has not started yet, no penalty can be given";
inline constexpr const char* PenaltyTooLateMessage =
    "Can Not Give A time Penalty (To close to end of race)";
inline constexpr const char* ComputerTimeNote = "AMB time incorrect, using computer time";

// The race engine: one race at a time from set-up to stored result, the countdown between
// races, and the race director's controls. It owns `race_drivers` and the race values that other
// parts read, and reaches the event and the settings through the Program. Everything runs on
// one thread: timers, key presses and decoder passings call in one after another.
class RaceEngine {
  public:
    RaceEngine(Program& program, const RacePorts& ports);
    RaceEngine(const RaceEngine&) = delete;
    RaceEngine& operator=(const RaceEngine&) = delete;

    // ---- Race set-up -------------------------------------------------------------------------
    // Builds the race the settings select; false (after telling the operator) when it has no
    // drivers.
    bool Setuprace();
    // Appends an entrant and returns its index. CompNo 0 (or an Id naming no competitor) makes
    // an unknown car, named after the transponder when one is given, else after the car number.
    int AddDriver(int CarNo, int CompNo, int Transponder);

    // ---- Passings ----------------------------------------------------------------------------
    // One crossing of the line by entrant `Index` at `PassTime` seconds on the race clock.
    void sortCarPass(int Index, double PassTime);
    // A key press of a lap counter; true when the key was taken as a lap counting key.
    bool manualKey(char key);
    // Seconds on the race clock, at the precision the event files keep.
    double RaceTime() const;
    void StartRaceClock();
    // Whether decoder records are for the race now (booking in, or a race running).
    bool acceptsPassings() const { return BookingIn || RaceState == RaceStates::Running; }
    // Whether an unknown car may still be added: the race time is not yet over.
    bool canAddUnknownCar() const { return RaceMinutes * 60 > ClockSeconds; }
    // The first entrant with the car number or transponder, or -1.
    int findCarNumber(int carno) const;
    int findTransponder(int transponder) const;
    // The smallest car number from 1 that no entrant carries.
    int freeCarNumber() const;

    // ---- Clock, countdown and finish ---------------------------------------------------------
    void StartBetweenRTimer();
    void CountdownTick(int s);
    void Startrace();
    void updateracetime(int s);
    void CarFinish(int i);
    void End_race();
    // The end-of-race processing that runs 2 s after End_race.
    void endOfRaceProcessing();
    void StoreRaceResults();
    void TurnAmbOn();
    void TurnAmbOff();

    // ---- Running order, gaps, predictions ----------------------------------------------------
    void SortRunningOrder();
    void UpdateLeaderGap(int i);
    void PredictResult(int i, double averageLap);
    // The entrant in the first running-order position, or -1 with no entrants.
    int leader() const;

    // ---- Announcements -----------------------------------------------------------------------
    void playwav(int slot) const { announcer_.playwav(slot); }
    void SpeakNumber(int n) const { announcer_.SpeakNumber(n); }
    void Read_StartOrder();

    // ---- Standings ---------------------------------------------------------------------------
    void Updatedisplay();
    void MarkCarCell(int i);
    void SetExtraColumnHeaders();
    const Standings& standings() const { return standings_; }
    Standings& standings() { return standings_; }
    const RacePanel& panel() const { return panel_; }
    StandingsContext standingsContext() const;

    // ---- Race control ------------------------------------------------------------------------
    // "Race": the race panel is opened; the first opening starts the countdown.
    void openRaceScreen();
    void StartBtnClick();                        // "&Start Race"
    void StopStartCountdownClick();              // "Stop &Countdown" / "Start &Countdown"
    void ResetCountdownClick();                  // "&Reset Countdown"
    void ReadOrderClick() { Read_StartOrder(); } // "Read &Order"
    void PlusOneMinuteClick();                   // "+1"
    void PlusFiveMinutesClick();                 // "+5"
    void KeyEnableClick();                       // "Enable Keys" / "Disable Keys"
    void ReprintLapTimesClick();                 // "Re-Print Laptimes"
    // Whether "Restart Race", "End Race (Save Scores)" and "Give Time Penalty" are enabled.
    bool raceMenuEnabled() const { return RaceState == RaceStates::Running; }
    void RestartRaceClick();
    void EndRaceClick();
    // The penalty dialog's OK for a car number; true when the dialog closes.
    bool givePenalty(int carNumber);

    // The seconds left of the countdown between races.
    int countdown() const { return countdownTag_; }
    bool countdownRunning() const { return betweenRTimer_.running(); }
    bool raceClockRunning() const { return manualInteruptTimer_.running(); }
    // Races whose end-of-race processing has run.
    int completedRaces() const { return completedRaces_; }
    // Set when the end-of-round window was opened after the last race of a table.
    bool endOfRoundShown() const { return endOfRoundShown_; }

    // Where diagnostic notes go; by default they are dropped.
    void setDiagnostics(std::function<void(const std::string&)> sink) {
        diagnostics_ = std::move(sink);
    }
    void DiagnosticNote(const std::string& text) const {
        if (diagnostics_) diagnostics_(text);
    }

    Program& program() { return program_; }
    const Program& program() const { return program_; }

    // ---- Race values read by other parts ------------------------------------------------------
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
    int CountDevice = 0;     // 0 manual, 1 System 20, 2 AMBrc; the timing layer's fall-back sets 0
    bool ManualKeys = false; // the lap counting keys are on
    int Copies = 1;          // copies of the lap times printed after a race, 1..9
    double TrackMiles = 0.0;
    double TrapMiles = 0.0;

  private:
    void Sortpassmass(int i, double T);
    void Sortpassstagger(int i, double T);
    void RecordExtraCrossing(int i, double t);
    void countedLapEnd(int i);
    void passBeep(int i);
    void buildStartOrder();
    void buildMarshals();
    void countdownStep();
    void startMassRace();
    void staggerCallOut();
    void flash();
    void stopCountdown();
    void scoreboardOnce();
    void TurnOnManualTimer();
    void clockTick();
    void panelChanged();
    bool raceHasDrivers(int race) const;
    RaceDriver& driver(int i) { return race_drivers[static_cast<size_t>(i)]; }
    const RaceDriver& driver(int i) const { return race_drivers[static_cast<size_t>(i)]; }
    bool validIndex(int i) const { return i >= 0 && static_cast<size_t>(i) < race_drivers.size(); }

    Program& program_;
    RacePorts ports_;
    Announcer announcer_;
    Standings standings_;
    RacePanel panel_;
    std::function<void(const std::string&)> diagnostics_;

    RaceTimer betweenRTimer_;
    RaceTimer flasher_;
    RaceTimer startdelay_;
    RaceTimer manualInteruptTimer_;
    RaceTimer endRaceTimer_;
    RaceTimer stagerStartTimer_;
    RaceTimer scoreTimer_;

    int countdownTag_ = 0;
    double clockStart_ = 0.0;
    int staggerPosition_ = 0;
    int completedRaces_ = 0;
    bool endOfRoundShown_ = false;
    std::minstd_rand random_;

    struct SortKey {
        int32_t laps;
        double lastpass;
        int32_t index;
    };
    std::vector<SortKey> sortKeys_; // scratch of SortRunningOrder
};

} // namespace vexa
