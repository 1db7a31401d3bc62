#pragma once

#include "files/drivers_database.h"
#include "files/event_files.h"
#include "model/event_data.h"
#include "program/program_home.h"
#include "settings/prog_settings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The one owner of the program's data: settings, the open event's tables, the frequency names
// and the open drivers database. Windows reach the data through it; the race engine and the
// counting equipment are the race station's.
struct Program {
    ProgramHome home;
    ProgSettings settings;
    EventData event;
    FreqNames freqnames;
    DriversDatabase database; // the open drivers database; no file while none is open

    std::string eventName;           // empty until an event is open
    std::optional<EventPaths> paths; // the open event's files

    bool eventOpen() const { return paths.has_value(); }
};

// Start-up: the database folder is created, the settings file loaded, the tables initialised
// and the frequency names loaded. A home the program has never run in gets the frequency names
// of `shippedFreqNames` (an installed program's default names file) when that file can be read,
// otherwise the common crystal channels. Returns the messages to show the operator, in order.
std::vector<std::string> startProgram(Program& program,
                                      const std::filesystem::path& shippedFreqNames = {});
// The same without creating anything: for the programs beside the app, which must not make a
// program home out of a mistyped folder.
std::vector<std::string> loadProgram(Program& program);

} // namespace vexa
