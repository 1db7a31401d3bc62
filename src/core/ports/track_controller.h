#pragma once

#include <vector>

namespace vexa {

// The start-light codes of the track controller. Codes 4 and 11 and above send nothing.
enum class StartLight : int {
    AllOff = 0,
    Red = 1,   // the countdown between races starts; after the end of a race
    Amber = 2, // the "AMBERLIGHT" second; the final countdown of a class with countdown beeps
    Green = 3, // a race starts
    MassCountdown5 = 5, // 5..9: a mass start's last five seconds, 5 s to go .. 1 s to go
    MassCountdown1 = 9,
    MassStartGo = 10, // right after Green when a mass start begins
};

// The mass-start light for `secondsToGo` (5..1) seconds before the start.
constexpr StartLight massCountdownLight(int secondsToGo) {
    return static_cast<StartLight>(10 - secondsToGo);
}

// One running-order position as the scoreboard shows it: the car there and its gap to the
// leader (seconds on the leader's lap, minus the laps behind otherwise, the leader's own lap
// count for the leader). `present` is false when the running order names no entrant there.
struct ScoreboardPosition {
    int carno = 0;
    double leadergap = 0.0;
    bool present = false;
};

// The track controller on its own serial port: start lights, the trackside race number, clock
// and scoreboard displays.
class TrackController {
  public:
    virtual ~TrackController() = default;
    // Opens the controller's port when one is chosen (an open port stays open).
    virtual void OpenRcioPort() = 0;
    virtual void SetLights(StartLight code) = 0;
    virtual void SendRaceNumber(int heat, int round) = 0;
    // Seconds left of the countdown (countdown true) or seconds since the start.
    virtual void SendTimeDisplay(bool countdown, int seconds) = 0;
    // Marks all ten positions of the scoreboard memory empty; done at every race set-up.
    virtual void ClearScoreboard() = 0;
    // The running order and gaps of the first positions, position 1 first.
    virtual void SendScoreboard(const std::vector<ScoreboardPosition>& positions) = 0;
};

} // namespace vexa
