#pragma once

#include "model/outcome.h"
#include "program/program.h"

#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* EventExistsMessage =
    "An event with this name has already been created, please try a different name";
inline constexpr const char* NotAnEventMessage =
    "The directory you have chosen does not contain an event";

// The name offered for a new event: day without leading zero, month in three capitals, year
// (8 DEC 2026).
std::string defaultEventName(int year, int month, int day);

// The names of the folders under "event files", in alphabetical order without regard to case.
std::vector<std::string> listEvents(const ProgramHome& home);

// Refuses names that would not make one plain folder inside "event files".
Outcome validateEventName(const std::string& name);

// Creates the event folder with its html folder and writes the five files from memory.
Outcome createEvent(Program& program, const std::string& name);

// The choice offered once, as an event is created: "This meeting uses 2.4 GHz radios only: no
// frequencies". Chosen, the event's drivers are marked "No Freq Needed / 2.4Ghz" and new
// drivers need no frequency; otherwise new drivers need one. The "REQUIRES FREQ" setting is
// written into the settings file at once (only that key) and the competitors file when a
// driver changed.
inline constexpr const char* RadiosOnlyCaption =
    "This meeting uses 2.4 GHz radios only: no frequencies";
Outcome chooseEventRadios(Program& program, bool twoPointFourOnly);

struct OpenEventResult {
    bool opened = false;
    std::string message; // shown to the operator when not empty, opened or not
};

// Reads an existing event's five files into memory.
OpenEventResult openEvent(Program& program, const std::string& name);

} // namespace vexa
