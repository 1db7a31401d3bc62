#include "cli_options.h"
#include "commands.h"
#include "event_loader.h"
#include "output_commands.h"

#include "replay/race_correction.h"

#include <ostream>

namespace vexa::cli {

const char* const CorrectUsage =
    "usage: vexa-cli correct JOURNAL CORRECTION --reason TEXT\n"
    "  Corrects the stored result of a race from its journal. CORRECTION is one of\n"
    "    remove-passing CAR LAP   the passing that counted lap LAP of the car (a double count)\n"
    "    add-lap CAR SECONDS      a passing nobody counted, at that second of the race\n"
    "    penalty CAR              a time penalty as the penalty window gives it\n"
    "    take-back-penalty CAR    the car's last time penalty undone\n"
    "    set CAR LAPS SECONDS     laps and time by hand\n"
    "    assign-transponder TRANSPONDER CAR\n"
    "                             an unknown car's passings were the car's driver's (a\n"
    "                             borrowed transponder): the race counted with it on him\n"
    "  The race is run again from its journal with every correction made so far, its results\n"
    "  stored, its page, upload file and the round's pages written again, and the change\n"
    "  written to audit.log in the event folder with the reason.\n";

int correctCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    CliOptions options(words, {});
    const std::string reason = options.value("reason").value_or("");
    if (!options.ok() || options.words().size() < 2 || reason.empty()) {
        err << "vexa-cli correct: "
            << (!options.ok() ? options.error()
                              : "a journal, a correction and --reason TEXT are needed")
            << "\n";
        return 2;
    }
    std::string problem;
    const std::vector<std::string> what(options.words().begin() + 1, options.words().end());
    const std::optional<Correction> correction = parseCorrection(what, problem);
    if (!correction) {
        err << "vexa-cli correct: " << problem << "\n";
        return 2;
    }
    const auto replay = openJournalReplay(options.words().front(), "correct", err);
    if (!replay) return 1;
    const RaceCorrectionResult done = correctStoredRace(*replay, *correction, reason, localNow);
    for (const std::string& message : done.messages) err << "vexa-cli correct: " << message << "\n";
    if (!done.outcome) {
        err << "vexa-cli correct: " << done.outcome.message << "\n";
        return 1;
    }
    out << done.change << "\n";
    return 0;
}

} // namespace vexa::cli
