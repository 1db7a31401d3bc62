#pragma once

#include "race/race_driver.h"

namespace vexa {

// The track controller on its own serial port: start lights, the trackside race number, clock
// and scoreboard displays.
class TrackController {
  public:
    virtual ~TrackController() = default;
    // Opens the controller's port when one is chosen (an open port stays open).
    virtual void OpenRcioPort() = 0;
    // Start lights by light code (0 all off, 1 red, 2 amber, 3 green, 5..9 the mass-start
    // countdown, 10 after a mass start; other codes send nothing).
    virtual void SetLights(int code) = 0;
    virtual void SendRaceNumber(int heat, int round) = 0;
    // Seconds left of the countdown (countdown true) or seconds since the start.
    virtual void SendTimeDisplay(bool countdown, int seconds) = 0;
    // Marks all ten positions of the scoreboard memory empty; done at every race set-up.
    virtual void ClearScoreboard() = 0;
    // The running order and gaps of the first positions, from `runorder` and `leadergap`.
    virtual void SendScoreboard(const RaceDrivers& drivers) = 0;
};

} // namespace vexa
