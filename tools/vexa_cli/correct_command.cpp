#include "cli_options.h"
#include "commands.h"
#include "journal_replay.h"
#include "output_commands.h"

#include "files/event_files.h"
#include "files/file_io.h"
#include "model/event_data.h"
#include "output/result_outputs.h"
#include "race/recording_ports.h"

#include <cstdio>
#include <ostream>

namespace vexa::cli {

namespace fs = std::filesystem;

const char* const CorrectUsage =
    "usage: vexa-cli correct JOURNAL CORRECTION --reason TEXT\n"
    "  Corrects the stored result of a race from its journal. CORRECTION is one of\n"
    "    remove-passing CAR LAP   the passing that counted lap LAP of the car (a double count)\n"
    "    add-lap CAR SECONDS      a passing nobody counted, at that second of the race\n"
    "    penalty CAR              a time penalty as the penalty window gives it\n"
    "    take-back-penalty CAR    the car's last time penalty undone\n"
    "    set CAR LAPS SECONDS     laps and time by hand\n"
    "  The race is run again from its journal with every correction made so far, its results\n"
    "  stored, its page, upload file and the round's pages written again, and the change\n"
    "  written to audit.log in the event folder with the reason.\n";

namespace {

std::string resultText(int laps, double time) {
    if (laps < 0) return "no result";
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d laps %.3f s", laps, time);
    return buf;
}

// Appends a line to a text file, the whole file written again.
Outcome appendLine(const fs::path& path, const std::string& line) {
    const auto old = readWholeFile(path);
    std::string text = old ? std::string(old->begin(), old->end()) : std::string{};
    if (!text.empty() && text.back() != '\n') text += '\n';
    return writeFileAtomic(path, text + line + "\n");
}

} // namespace

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
    if (!replay->target.journal.ended()) {
        err << "vexa-cli correct: the race was never stored; resume or replay it first\n";
        return 1;
    }
    Program& program = replay->program;
    const JournalSetUp& setUp = replay->target.journal.setUps.front();
    int id = 0;
    for (const RecordedEntrant& e : setUp.entrants)
        if (e.slot == correction->car) id = e.id;
    if (!validId(id)) {
        err << "vexa-cli correct: car " << correction->car
            << " has no competitor in this race to hold a result\n";
        return 1;
    }
    const int round = setUp.race.round;
    EventData storedBefore; // as stored: the replays since have changed the tables in memory
    readResults(replay->paths.results, storedBefore);
    const res_ent before = storedBefore.cptres[id];

    problem = replay->correct(*correction);
    if (!problem.empty()) {
        err << "vexa-cli correct: " << problem << "\n";
        return 1;
    }
    replay->corrections.push_back(*correction);

    std::vector<Outcome> written;
    const RaceRunResult result = replay->run(nullptr, nullptr, [&](RaceEngine& engine) {
        replay->setResults();
        program.paths = replay->paths;
        written.push_back(writeResults(replay->paths.results, program.event));
        VirtualClock clock;
        VirtualScheduler scheduler(clock);
        RecordingPorts ports(clock);
        ResultOutputs outputs(program, loadOutputIdentity(program.home.iniFile()),
                              ResultOutputPorts{nullptr, localNow, ports, scheduler, nullptr});
        outputs.writeRaceResultsPage(engine.finishedRace());
        if (countsLikeAmbrc(engine.countDevice())) outputs.writeUploadFile(engine.finishedRace());
        outputs.writeEndOfRoundPages();
        for (const std::string& message : ports.texts("message"))
            err << "vexa-cli correct: " << message << "\n";
    });
    if (!result.ok) err << "vexa-cli correct: " << result.message << "\n";
    const res_ent& after = program.event.cptres[id];
    const std::string change = resultText(before.laps[round], before.time[round]) + " -> " +
                               resultText(after.laps[round], after.time[round]);

    const LocalMoment now = localNow();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month,
                  now.day, now.hour, now.minute, now.second);
    const std::string audit = std::string(stamp) + "\t" + (setUp.race.heats ? "Heat " : "Final ") +
                              std::to_string(setUp.race.race) + "\tRound " + std::to_string(round) +
                              "\tCar " + std::to_string(correction->car) + ", " +
                              program.event.cpts[id].name + "\t" + change + "\t" +
                              correctionText(*correction) + "\t" + reason;
    written.push_back(appendLine(replay->correctionsFile, correctionText(*correction)));
    written.push_back(appendLine(replay->paths.dir / "audit.log", audit));
    for (const Outcome& o : written)
        if (!o) {
            err << "vexa-cli correct: " << o.message << "\n";
            return 1;
        }
    out << "Car " << correction->car << ", " << program.event.cpts[id].name << ": " << change
        << "\n";
    return 0;
}

} // namespace vexa::cli
