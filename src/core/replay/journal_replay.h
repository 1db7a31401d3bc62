#pragma once

#include "files/event_files.h"
#include "journal/journal_resume.h"
#include "journal/race_corrections.h"
#include "model/outcome.h"
#include "program/program.h"
#include "replay/headless_race.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

// A journal's race made ready to be run again: its event opened (the journal lies in the event's
// folder), the journals of its sitting up to it, and the corrections kept beside it.
struct JournalReplay {
    Program program;
    JournalFile target;
    std::vector<JournalFile> sitting;
    EventPaths paths;
    std::filesystem::path correctionsFile; // the race's corrections, beside its journal
    std::vector<Correction> corrections;
    std::vector<ScriptEvent> inputs; // the sitting's inputs, with the corrections made
    size_t firstInput = 0;           // where the race's own inputs begin

    // Runs the inputs again from the sitting's start with the event put back as it stood then;
    // nothing of the event is written. `during` sees the race before the engine goes.
    RaceRunResult run(const HeadlessRace::Echo& echo, const RunObserver* observer,
                      const std::function<void(RaceEngine&)>& during);
    // Makes a correction on the inputs (a set result changes none); the message when it cannot.
    std::string correct(const Correction& correction);
    // The same, with the trace of a run of the inputs as they stand.
    std::string correct(const Correction& correction, const RaceTrace& trace);
    // The set results among the corrections, into the round results.
    void setResults();
    // The transponders given to drivers among the corrections, onto their entries: the race is
    // counted as if each driver had carried the transponder.
    void assignTransponders();
    // What a run of the inputs as they stand tells about the race's inputs.
    RaceTrace trace();
};

// Opens the event of a journal into `program`: the program home and the event's folder name;
// what is to be shown on the way goes to `notes`.
using JournalEventOpener =
    std::function<Outcome(Program& program, const std::filesystem::path& home,
                          const std::string& folder, std::vector<std::string>& notes)>;

// Opens the event as the program does: the program home's settings, then the event by the name
// of its folder.
Outcome openJournalEvent(Program& program, const std::filesystem::path& home,
                         const std::string& folder, std::vector<std::string>& notes);

// A journal opened for replay, or why not; `notes` are to be shown either way.
struct OpenedJournalReplay {
    std::unique_ptr<JournalReplay> replay;
    std::string problem;
    std::vector<std::string> notes;
};

// Reads the journal and opens its event (the journal lies in the event's folder); no replay when
// the journal holds no race or its event cannot be opened. The corrections kept beside it are
// made.
OpenedJournalReplay openJournalReplay(const std::filesystem::path& file,
                                      const JournalEventOpener& openEvent);

} // namespace vexa
