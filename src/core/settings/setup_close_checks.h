#pragma once

#include "ports/timing_equipment.h"

#include <optional>
#include <string>

namespace vexa {

inline constexpr const char* MinLapNotBelowLastLapMessage =
    "'Min lap time' cannot be greater than the 'Max last lap'";
inline constexpr const char* RaceSetupNotBelowIntervalMessage =
    "'Race Setup' cannot be greater (or equal to) the 'Race Interval'";
inline constexpr const char* SameSerialPortMessage =
    "Can't have RCio && AMB on the same serial port";

// The fields of the settings window that closing it checks, as typed.
struct SetupCloseFields {
    std::string minLap;       // "Min Lap Time"
    std::string lastLap;      // "Max Last Lap"
    std::string raceSetup;    // "Race Setup "
    std::string raceInterval; // "Race Interval"
    CountingDevice device = CountingDevice::Manual;
    int decoderPortEntry = 0;    // 0..7 = Com 1..Com 8, 8 = IP Address
    int controllerPortEntry = 0; // 0 = None, 1..8 = Com 1..Com 8
};

// The message of the last of the three close checks that fails, or nothing when the window may
// close. A time field that holds no whole number counts as its default, as the race does.
std::optional<std::string> closeCheckFailure(const SetupCloseFields& fields);

} // namespace vexa
