#pragma once

#include "headless_race.h"

#include "files/event_files.h"
#include "journal/journal_resume.h"
#include "journal/race_corrections.h"
#include "program/program.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace vexa::cli {

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
    RaceRunResult run(std::ostream* echo, const RunObserver* observer,
                      const std::function<void(RaceEngine&)>& during);
    // Makes a correction on the inputs (a set result changes none); the message when it cannot.
    std::string correct(const Correction& correction);
    // The set results among the corrections, into the round results.
    void setResults();
};

// Reads the journal and opens its event; nothing (after saying why on `err`) when the journal
// holds no race or its event cannot be opened. The corrections kept beside it are made.
std::unique_ptr<JournalReplay> openJournalReplay(const std::filesystem::path& file,
                                                 const std::string& command, std::ostream& err);

} // namespace vexa::cli
