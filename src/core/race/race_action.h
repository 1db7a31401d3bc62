#pragma once

#include <optional>
#include <string_view>

namespace vexa {

// What the race director does at the race panel (and a script or a journal replays): the
// buttons and menu entries, a penalty, and the counting equipment a journal begins with.
enum class RaceAction {
    Start,     // "Start Race"
    Pause,     // the countdown's stop/start button while it runs
    Resume,    // the same while it is paused
    Reset,     // "Reset Countdown"
    PlusOne,   // "+1"
    PlusFive,  // "+5"
    ReadOrder, // "Read Order"
    Keys,      // "Enable Keys" / "Disable Keys"
    Restart,   // "Restart Race"
    EndRace,   // "End Race (Save Scores)"
    Penalty,   // a time penalty for a car number
    Reprint,   // "Re-Print Laptimes"
    Equipment, // the counting equipment in use
};

// The word of an action in scripts and journals ("start", "plus1", "endrace", ...), and back.
std::string_view raceActionWord(RaceAction action);
std::optional<RaceAction> raceActionOfWord(std::string_view word);

} // namespace vexa
