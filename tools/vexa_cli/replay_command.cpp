#include "cli_options.h"
#include "commands.h"
#include "event_loader.h"
#include "headless_race.h"
#include "output_commands.h"

#include "files/event_files.h"
#include "files/file_io.h"
#include "journal/journal_resume.h"
#include "model/event_data.h"
#include "output/race_results_sheet.h"
#include "output/report_context.h"
#include "output/text_print_stream.h"

#include <algorithm>
#include <ostream>

namespace vexa::cli {

namespace fs = std::filesystem;

const char* const ReplayUsage =
    "usage: vexa-cli replay JOURNAL [--print-dir DIR] [--store] [--quiet]\n"
    "       vexa-cli replay JOURNAL --as-script\n"
    "  Runs a race again from its journal (a .journal file in the event folder) in simulated\n"
    "  time and prints its results sheet with the lap chart, also into DIR when given. The\n"
    "  event is not changed unless --store is given: then the race's results are stored again.\n"
    "  --as-script prints the journal's inputs as a script for vexa-cli race instead.\n";

namespace {

// The journals to replay for `target`: its sitting's races up to it, from the first, so that
// the counting equipment stands as it stood; only the target when one of them is missing.
std::vector<JournalFile> racesUpTo(const JournalFile& target, std::vector<JournalFile> all) {
    const JournalHeader& h = *target.journal.header;
    std::erase_if(all, [&](const JournalFile& j) {
        return j.journal.header->sitting != h.sitting || j.journal.header->ordinal > h.ordinal;
    });
    all = latestSitting(std::move(all));
    if (static_cast<int>(all.size()) != h.ordinal) return {target};
    all.back() = target; // as read for this command
    return all;
}

// The race's column of the racing table as it was set up, in case the table changed since.
void restoreRaceColumn(const JournalSetUp& setUp, EventData& event) {
    RacingTable& table = setUp.race.heats ? event.heats : event.finals;
    for (int slot = 1; slot <= MaxSlots; ++slot) table.setSlotText(setUp.race.race, slot, "");
    for (const RecordedEntrant& e : setUp.entrants)
        if (e.slot >= 1 && e.slot <= MaxSlots && validId(e.id))
            table.setSlotText(setUp.race.race, e.slot, std::to_string(e.id));
}

} // namespace

int replayCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    CliOptions options(words, {"store", "quiet", "as-script"});
    if (!options.ok() || options.words().size() != 1) {
        err << "vexa-cli replay: "
            << (options.ok() ? "one journal file is needed" : options.error()) << "\n";
        return 2;
    }
    const fs::path file = fs::absolute(options.words().front());
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        err << "vexa-cli replay: cannot read the journal " << displayPath(file) << "\n";
        return 1;
    }
    JournalFile target{file, readJournal(std::string_view(
                                 reinterpret_cast<const char*>(bytes->data()), bytes->size()))};
    if (target.journal.header && options.has("as-script")) {
        out << journalAsScript(target.journal);
        return 0;
    }
    if (!target.journal.header || !target.journal.raceSetUp()) {
        err << "vexa-cli replay: " << displayPath(file) << " holds no race to replay\n";
        return 1;
    }
    if (!target.journal.ended())
        err << "vexa-cli replay: the race was not stored when its journal ends; it is replayed "
               "as far as the journal goes\n";

    // The journal lies in the event's folder, in the program home's "event files".
    const fs::path eventDir = file.parent_path();
    Program program;
    const Outcome loaded = loadEvent(program, eventDir.parent_path().parent_path().string(),
                                     eventDir.filename().string());
    if (!loaded) {
        err << "vexa-cli replay: " << loaded.message << "\n";
        return 1;
    }
    const std::vector<JournalFile> sitting =
        racesUpTo(target, readEventJournals(program.paths->dir));
    restoreSittingStart(sitting, program.settings, program.event);
    for (const JournalFile& j : sitting) restoreRaceColumn(j.journal.setUps.front(), program.event);
    if (sitting.size() == 1 && target.journal.header->ordinal > 1)
        err << "vexa-cli replay: the earlier races of its sitting have no journal; the decoder's "
               "state is taken afresh\n";

    // Nothing of the event is written while replaying.
    const EventPaths paths = *program.paths;
    program.paths.reset();
    RaceScript script;
    script.events = sittingInputs(sitting);
    RaceRunResult result;
    TextPrintStream sheet;
    Outcome printed;
    {
        HeadlessRace replay(program, options.has("quiet") ? nullptr : &out, std::nullopt);
        replay.scheduler.advanceTo(sitting.front().journal.header->startMs);
        result = replay.run(script, static_cast<int>(sitting.size()), nullptr);
        const OutputIdentity identity = loadOutputIdentity(program.home.iniFile());
        printed = printRaceResultsSheet(sheet, ReportContext{program, identity, localNow()},
                                        replay.engine().finishedRace(), TrackWeather{});
    }
    program.paths = paths;
    if (!result.ok) err << "vexa-cli replay: " << result.message << "\n";
    if (printed) out << sheet.text();
    if (printed && options.value("print-dir")) {
        const fs::path dir = *options.value("print-dir");
        std::error_code ec;
        fs::create_directories(dir, ec);
        printed = writeFileAtomic(dir / (file.stem().string() + ".txt"), sheet.text());
    }
    if (!printed) {
        err << "vexa-cli replay: " << printed.message << "\n";
        return 1;
    }
    if (options.has("store")) {
        const Outcome stored = writeResults(paths.results, program.event);
        if (!stored) {
            err << "vexa-cli replay: " << stored.message << "\n";
            return 1;
        }
        err << "vexa-cli replay: the results are stored\n";
    }
    return result.ok ? 0 : 1;
}

} // namespace vexa::cli
