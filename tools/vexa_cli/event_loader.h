#pragma once

#include "model/outcome.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "replay/journal_replay.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
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

// Opens a journal's race for replay with its event loaded as above; nothing (after saying why on
// `err`, each line headed by "vexa-cli COMMAND: ") when it cannot.
std::unique_ptr<JournalReplay> openJournalReplay(const std::filesystem::path& file,
                                                 const std::string& command, std::ostream& err);

// Each port event of a headless race written to `out` as a terminal line; none without `out`.
std::function<void(const PortEvent&)> terminalEcho(std::ostream* out);

} // namespace vexa::cli
