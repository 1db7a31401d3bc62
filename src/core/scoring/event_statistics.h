#pragma once

#include "model/event_data.h"
#include "model/outcome.h"
#include "settings/prog_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The track length of the settings in miles: metres x 0.00062137119, feet first to metres. An
// empty length is 0. Nothing when the text is not a decimal number (with a point).
std::optional<double> trackLengthMiles(const ProgSettings& settings);

// The message for a track length that is not a number.
std::string trackLengthNotANumberMessage(const std::string& text);

// One row of the "Statistics" window.
struct ClassStatistics {
    int classno = 0;
    std::string className;
    int entered = 0;    // competitors in use of the class
    int enabled = 0;    // those of them who are enabled
    int64_t laps = 0;   // their laps over rounds 1..20, rounds with more than 0 laps only
    double miles = 0.0; // laps x track length ("Total Miles", shown fixed(x, 6, 2))
    double km = 0.0;    // miles x 1.609344 ("Total km", shown fixed(x, 6, 2))
};

struct EventStatistics {
    double trackMiles = 0.0;
    std::vector<ClassStatistics> classes; // classes with at least one entered competitor
};

// Fills `out` for the window. A track length that is not a number is refused with its message
// and `out` is left as it was.
Outcome eventStatistics(const EventData& event, const ProgSettings& settings, EventStatistics& out);

} // namespace vexa
