#include "cli_options.h"
#include "commands.h"
#include "event_loader.h"
#include "output_commands.h"

#include "files/event_files.h"
#include "files/file_io.h"
#include "journal/journal_resume.h"
#include "model/event_data.h"
#include "output/race_results_sheet.h"
#include "output/report_context.h"
#include "output/text_print_stream.h"
#include "replay/journal_replay.h"

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

int replayCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    CliOptions options(words, {"store", "quiet", "as-script"});
    if (!options.ok() || options.words().size() != 1) {
        err << "vexa-cli replay: "
            << (options.ok() ? "one journal file is needed" : options.error()) << "\n";
        return 2;
    }
    if (options.has("as-script")) {
        const auto bytes = readWholeFile(options.words().front());
        const Journal journal = readJournal(
            bytes ? std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())
                  : std::string_view{});
        if (!journal.header) {
            err << "vexa-cli replay: " << options.words().front() << " is not a race journal\n";
            return 1;
        }
        out << journalAsScript(journal);
        return 0;
    }
    const auto replay = openJournalReplay(options.words().front(), "replay", err);
    if (!replay) return 1;
    if (!replay->target.journal.ended())
        err << "vexa-cli replay: the race was not stored when its journal ends; it is replayed "
               "as far as the journal goes\n";
    Program& program = replay->program;
    TextPrintStream sheet;
    Outcome printed;
    const RaceRunResult result = replay->run(
        terminalEcho(options.has("quiet") ? nullptr : &out), nullptr, [&](RaceEngine& engine) {
            replay->setResults();
            const OutputIdentity identity = loadOutputIdentity(program.home.iniFile());
            printed = printRaceResultsSheet(sheet, ReportContext{program, identity, localNow()},
                                            engine.finishedRace(), TrackWeather{});
        });
    if (!result.ok) err << "vexa-cli replay: " << result.message << "\n";
    if (printed) out << sheet.text();
    if (printed && options.value("print-dir")) {
        const fs::path dir = *options.value("print-dir");
        std::error_code ec;
        fs::create_directories(dir, ec);
        printed =
            writeFileAtomic(dir / (replay->target.path.stem().string() + ".txt"), sheet.text());
    }
    if (!printed) {
        err << "vexa-cli replay: " << printed.message << "\n";
        return 1;
    }
    if (options.has("store")) {
        const Outcome stored = writeResults(replay->paths.results, program.event);
        if (!stored) {
            err << "vexa-cli replay: " << stored.message << "\n";
            return 1;
        }
        err << "vexa-cli replay: the results are stored\n";
    }
    return result.ok ? 0 : 1;
}

} // namespace vexa::cli
