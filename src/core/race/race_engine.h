#pragma once

#include "model/finished_race.h"
#include "ports/clock.h"
#include "ports/operator.h"
#include "ports/race_outputs.h"
#include "ports/race_recorder.h"
#include "ports/race_timer.h"
#include "ports/race_view.h"
#include "ports/scheduler.h"
#include "ports/sound_out.h"
#include "ports/timed_race.h"
#include "ports/timing_equipment.h"
#include "ports/track_controller.h"
#include "race/announcer.h"
#include "race/race_panel.h"
#include "race/race_values.h"
#include "race/standings.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vexa {

struct EventPaths;
struct EventData;
struct ProgSettings;

// What the race engine works on: the settings (it moves the race number on), the event's tables
// (it reads the racing tables and stores results), the open event's files (empty before an
// event is open) and the folder of the drivers' pictures.
struct RaceData {
    ProgSettings& settings;
    EventData& event;
    const std::optional<EventPaths>& paths;
    std::filesystem::path driverPicsDir;
};

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
// The end-of-race save that failed is tried again this often until it is done.
inline constexpr int SaveRetryMs = 5000;
inline constexpr const char* SaveRetryText =
    "The race's results are kept, and saving them is tried again every 5 seconds: the next race "
    "waits until they are saved.";
inline constexpr const char* ResultsNotSavedText = "RESULTS NOT SAVED - TRYING AGAIN";
inline constexpr const char* ResultsSavedMessage = "The race's results are saved now.";

// The race engine: one race at a time from set-up to stored result, the countdown between
// races, and the race director's controls. It owns `race_drivers` and the race values that other
// parts read through values(); they change only through the operations below. Everything runs on
// one thread: timers, key presses and decoder passings call in one after another.
class RaceEngine : public TimedRace, private RaceValues {
  public:
    RaceEngine(const RaceData& data, const RacePorts& ports);
    RaceEngine(const RaceEngine&) = delete;
    RaceEngine& operator=(const RaceEngine&) = delete;

    // ---- Race set-up -------------------------------------------------------------------------
    // Builds the race the settings select; false (after telling the operator) when it has no
    // drivers.
    bool Setuprace();
    // Appends an entrant and returns its index. CompNo 0 (or an Id naming no competitor) makes
    // an unknown car, named after the transponder when one is given, else after the car number.
    int AddDriver(int CarNo, int CompNo, int Transponder) override;

    // ---- Passings ----------------------------------------------------------------------------
    // One crossing of the line by entrant `Index` at `PassTime` seconds on the race clock.
    void sortCarPass(int Index, double PassTime) override;
    // A crossing that the decoder recorded with its own clock and that may reach the program
    // late (held up on the network, or sent again after a lost link): its time is kept however
    // far it lies behind the race clock; a time more than 6 s ahead is replaced by the race
    // clock as in sortCarPass. One made before the entrant's last counted crossing is counted in
    // its place in a mass start, as if it had come in its order; false when it cannot be (a
    // stagger start, a lap limit, before the entrant's first crossing, more than 200 laps).
    bool sortRecordedPass(int Index, double PassTime) override;
    // A key press of a lap counter; true when the key was taken as a lap counting key.
    bool manualKey(char key);
    // Seconds on the race clock, at the precision the event files keep.
    double RaceTime() const override;
    void StartRaceClock();
    // The computer clock's millisecond at which the race clock started.
    int64_t raceClockStartMs() const override;
    // Whether decoder records are for the race now (booking in, or a race running).
    bool acceptsPassings() const override { return BookingIn || RaceState == RaceStates::Running; }
    // Whether an unknown car may still be added: the race time is not yet over.
    bool canAddUnknownCar() const override { return RaceMinutes * 60 > ClockSeconds; }
    // The first entrant with the car number or transponder, or -1.
    int findCarNumber(int carno) const override;
    int findTransponder(int transponder) const override;
    // The smallest car number from 1 that no entrant carries.
    int freeCarNumber() const override;
    // The race as timing reads it (TimedRace).
    bool raceRunning() const override { return RaceState == RaceStates::Running; }
    bool bookingIn() const override { return BookingIn; }
    double lastCrossingSecond() const override {
        return RaceMinutes * 60.0 + MaxLastLap + LastStart;
    }
    bool setupDone() const override { return SetupDone; }
    const RaceDrivers& raceDrivers() const override { return race_drivers; }
    bool heatRace() const override { return RaceKind == HeatRace; }
    int raceNumber() const override { return RaceNumber; }
    int roundNumber() const override { return RoundNumber; }
    void announceBookedIn(int id) const override;

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
    // The race screen's running state stopped, as before its first opening: the countdown and
    // every timer stop and the next opening starts the countdown afresh ("Next Round").
    void stopRaceScreen();
    // "Main Screen" of the end-of-round window: the next "Race" shows that window again instead
    // of the race panel.
    void requestEndOfRoundReopen() { endOfRoundReopen_ = true; }
    // Whether "Race" is to show the end-of-round window again; the request is cleared.
    bool takeEndOfRoundReopen() { return std::exchange(endOfRoundReopen_, false); }
    // The race that comes next (the settings' race of their table and round) on the panel, with
    // empty standings, as soon as the round or the table changed; nothing while a race runs.
    void showNextRace();
    // Whether a race runs, is about to start or is being finished, or its countdown runs: the
    // keyboard belongs to the lap counters then.
    bool raceUnderWay() const;
    void StartBtnClick();                        // "&Start Race"
    void StopStartCountdownClick();              // "Stop &Countdown" / "Start &Countdown"
    void ResetCountdownClick();                  // "&Reset Countdown"
    void ReadOrderClick() { Read_StartOrder(); } // "Read &Order"
    void PlusOneMinuteClick();                   // "+1"
    void PlusFiveMinutesClick();                 // "+5"
    void KeyEnableClick();                       // "Enable Keys" / "Disable Keys"
    void ReprintLapTimesClick();                 // "Re-Print Laptimes"
    // The race director acts on the countdown: one that stood still since the end of a table
    // (while the round moved on, the finals were entered, a heat was added) now counts down to the
    // race the settings name, from the race interval they hold, and that race's record opens.
    void takeUpCountdown();
    // Whether "Restart Race", "End Race (Save Scores)" and "Give Time Penalty" are enabled.
    bool raceMenuEnabled() const { return RaceState == RaceStates::Running; }
    void RestartRaceClick();
    void EndRaceClick();
    // The race menu's "Restart Race" once the operator has confirmed it.
    void RestartRace();
    // The penalty dialog's OK for a car number; true when the dialog closes.
    bool givePenalty(int carNumber);

    // The seconds left of the countdown between races.
    int countdown() const { return countdownTag_; }
    bool countdownRunning() const { return betweenRTimer_.running(); }
    bool raceClockRunning() const { return manualInteruptTimer_.running(); }
    // Races whose end-of-race processing has run.
    int completedRaces() const override { return completedRaces_; }
    // Whether the last race's results (or the race number after it) still wait to be saved.
    bool saveWaiting() const { return pendingSave_ != PendingSave::None; }
    // Set when the end-of-round window was opened after the last race of a table.
    bool endOfRoundShown() const { return endOfRoundShown_; }

    // Where diagnostic notes go; by default they are dropped.
    void setDiagnostics(std::function<void(const std::string&)> sink) {
        diagnostics_ = std::move(sink);
    }
    // Who keeps the record of each race (the race journal); none by default.
    void setRecorder(RaceRecorder* recorder) { recorder_ = recorder; }

    void DiagnosticNote(const std::string& text) const override {
        if (diagnostics_) diagnostics_(text);
    }

    // ---- The face other parts read -----------------------------------------------------------
    const RaceValues& values() const { return *this; }
    // The device counting laps now (the counting equipment's `CountDevice`).
    CountingDevice countDevice() const { return ports_.equipment.countDevice(); }
    // The race as the result outputs read it, numbered as the engine ran it.
    FinishedRace finishedRace() const;

    // ---- Operations of the counting equipment -------------------------------------------------
    // The equipment fell back to counting with the keys: booking in ends, and a running race
    // goes on with the keys switched on.
    void countingEquipmentNowManual() override;
    // The decoder's hits and signal strength of the entrant's latest passing, where the record
    // gives them.
    void noteDecoderReading(int Index, std::optional<int32_t> hits,
                            std::optional<int32_t> signal) override;
    // A track-set transponder is kept as the entrant's own for the rest of the race.
    void keepTransponder(int Index, int32_t transponder) override;
    // "Copies" of the race panel: the lap-time copies printed after a race, held to 1..9.
    void setCopies(int copies);

    // ---- Operations of the settings window ---------------------------------------------------
    // "Min Lap Time" as the settings window closes: it holds at once, in a running race too.
    void setMinLap(int seconds) { MinLap = seconds; }

  private:
    // A crossing at `PassTime`, replaced by the race clock when it lies more than
    // `allowedBehind` seconds behind it or more than 6 s ahead; nothing is checked while booking
    // in, when every crossing counts as time 0.
    void countPass(int Index, double PassTime, double allowedBehind);
    void Sortpassmass(int i, double T);
    // sortRecordedPass of a crossing made before entrant i's last counted one (late_passing.cpp).
    bool placeEarlierPass(int i, double T);
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
    std::vector<ScoreboardPosition> scoreboardPositions() const;
    void TurnOnManualTimer();
    void clockTick();
    void panelChanged();
    void recordCountdownOpened(bool paused = false);
    bool saveStoredRace();
    void retrySave();
    void nextAfterStoredRace();
    void recordSetUp();
    bool raceHasDrivers(int race) const;
    RaceDriver& driver(int i) { return race_drivers[static_cast<size_t>(i)]; }
    const RaceDriver& driver(int i) const { return race_drivers[static_cast<size_t>(i)]; }
    bool validIndex(int i) const { return i >= 0 && static_cast<size_t>(i) < race_drivers.size(); }
    // The standings shown again from the running order as it stands (sorted already).
    void showStandings();

    RaceData data_;
    RacePorts ports_;
    Announcer announcer_;
    Standings standings_;
    RacePanel panel_;
    std::function<void(const std::string&)> diagnostics_;
    RaceRecorder* recorder_ = nullptr;

    RaceTimer betweenRTimer_;
    RaceTimer flasher_;
    RaceTimer startdelay_;
    RaceTimer manualInteruptTimer_;
    RaceTimer endRaceTimer_;
    RaceTimer stagerStartTimer_;
    RaceTimer scoreTimer_;
    RaceTimer saveRetryTimer_;

    int countdownTag_ = 0;
    double clockStart_ = 0.0;
    int staggerPosition_ = 0;
    int completedRaces_ = 0;
    bool endOfRoundShown_ = false;
    bool endOfRoundReopen_ = false;
    bool countdownRecorded_ = false; // the recorder knows of the countdown now standing

    // What the end of the last race still has to save: its results, then the race number.
    enum class PendingSave { None, Results, RaceNumber };
    PendingSave pendingSave_ = PendingSave::None;
    std::string saveProblem_;
    bool lastOfTable_ = false;
    bool tellingSaveFailure_ = false; // the operator is being told that the save failed
    bool savedWhileTelling_ = false;
    std::minstd_rand random_;

    struct SortKey {
        int32_t laps;
        double lastpass;
        int32_t index;
    };
    std::vector<SortKey> sortKeys_;   // scratch of SortRunningOrder
    std::vector<uint8_t> sortPlaced_; // scratch: the entrants met in the last running order
    uint64_t orderSorts_ = 0;         // the running order's sorts so far
};

} // namespace vexa
