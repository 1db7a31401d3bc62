#pragma once

#include "model/outcome.h"
#include "program/program.h"

#include <string>
#include <vector>

namespace vexa::cli {

// An event opened from the command line. Every text is ready for the terminal (terminal_text.h).
struct EventLoad {
    Outcome outcome;                // the event is open, or why not
    bool badName = false;           // the name given can be no event's name
    std::vector<std::string> notes; // what the program shows on the way (a missing file)
};

// Loads a program home (settings, frequency names) and opens one of its events, creating
// nothing: a home that is no folder is refused. The event name is taken as UTF-8, as shells pass
// it, and turned into the program's Latin-1 text; a name beyond Latin-1 is refused.
EventLoad loadEvent(Program& program, const std::string& home, const std::string& event);

} // namespace vexa::cli
