#pragma once

#include "model/event_data.h"
#include "model/outcome.h"
#include "settings/prog_settings.h"

#include <string>

namespace vexa {

inline constexpr const char* NextRoundQuestion = "Sure you want to enter the next round?";
inline constexpr const char* EnterFinalsQuestion = "Sure you want to enter finals?";
inline constexpr const char* AlreadyInFinalModeMessage = "Already in final mode";

// What the end-of-round window says has ended: the round of the settings and the table raced
// from ("Round 2 of the Heats has ended").
std::string endOfRoundText(const ProgSettings& settings);

// "Next Round" (after NextRoundQuestion is answered OK), and the last step of "Enter Finals": the
// round advances, held at 20, and the race number becomes 1.
void advanceRound(ProgSettings& settings);

// Whether "Enter Finals" may go on: refused with AlreadyInFinalModeMessage when the settings
// already race from the finals table.
Outcome canEnterFinals(const ProgSettings& settings);

// "Enter Finals" after EnterFinalsQuestion is answered OK: every competitor's final frequency
// becomes his heat frequency and the settings race from the finals table. The sort dialogs and
// advanceRound follow.
void enterFinals(EventData& event, ProgSettings& settings);

} // namespace vexa
