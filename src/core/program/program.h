#pragma once

#include "files/drivers_database.h"
#include "files/event_files.h"
#include "model/event_data.h"
#include "program/attached_race.h"
#include "program/program_home.h"
#include "race/race_engine.h"
#include "settings/prog_settings.h"
#include "timing/timing_data.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The one owner of the program's state: settings, the open event's tables, the frequency names,
// the open drivers database and the race engine. Windows reach the data through it.
struct Program {
    ProgramHome home;
    ProgSettings settings;
    EventData event;
    FreqNames freqnames;
    DriversDatabase database; // the open drivers database; no file while none is open

    std::string eventName;           // empty until an event is open
    std::optional<EventPaths> paths; // the open event's files

    // The race engine, made once the platform's ports exist (attachRaceEngine).
    std::unique_ptr<RaceEngine> race;

    bool eventOpen() const { return paths.has_value(); }
};

// What the timing equipment works on: the program's settings and event, and its engine as
// `race` gives it (an AttachedRace on `program.race` until the race station owns the engine).
TimingData timingData(Program& program, TimedRace& race);

// Start-up: the database folder is created, the settings file loaded, the tables initialised
// and the frequency names loaded. A home the program has never run in gets the frequency names
// of `shippedFreqNames` (an installed program's default names file) when that file can be read,
// otherwise the common crystal channels. Returns the messages to show the operator, in order.
std::vector<std::string> startProgram(Program& program,
                                      const std::filesystem::path& shippedFreqNames = {});
// The same without creating anything: for the programs beside the app, which must not make a
// program home out of a mistyped folder.
std::vector<std::string> loadProgram(Program& program);

// Creates the program's race engine on the given ports, replacing any earlier one.
RaceEngine& attachRaceEngine(Program& program, const RacePorts& ports);

} // namespace vexa
