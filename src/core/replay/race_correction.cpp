#include "replay/race_correction.h"

#include "files/event_files.h"
#include "files/file_io.h"
#include "model/event_data.h"
#include "output/output_identity.h"
#include "output/result_outputs.h"
#include "ports/timing_equipment.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"

#include <cstdio>

namespace vexa {

namespace fs = std::filesystem;

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

std::string stampText(const LocalMoment& at) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    return stamp;
}

// Where the race last run again from its journal (`replay.program`'s results, with the set
// results among the corrections made so far) does not give the results stored for it: the first
// car whose result differs; empty when none does.
std::string storedResultsDiffer(JournalReplay& replay, const EventData& stored) {
    const JournalSetUp& setUp = replay.target.journal.setUps.front();
    const int round = setUp.race.round;
    replay.setResults();
    for (const RecordedEntrant& e : setUp.entrants) {
        if (!validId(e.id)) continue;
        const res_ent& kept = stored.cptres[e.id];
        const res_ent& again = replay.program.event.cptres[e.id];
        const std::string keptText = resultText(kept.laps[round], kept.time[round]);
        const std::string againText = resultText(again.laps[round], again.time[round]);
        if (keptText != againText)
            return "car " + std::to_string(e.slot) + ": stored " + keptText +
                   ", from the journal " + againText;
    }
    return {};
}

} // namespace

RaceCorrectionResult correctStoredRace(JournalReplay& replay, const Correction& correction,
                                       const std::string& reason,
                                       const std::function<LocalMoment()>& now) {
    RaceCorrectionResult done;
    if (reason.empty()) {
        done.outcome = Outcome::failure("Give the reason for the correction");
        return done;
    }
    if (!replay.target.journal.ended()) {
        done.outcome = Outcome::failure("the race was never stored; resume or replay it first");
        return done;
    }
    Program& program = replay.program;
    const JournalSetUp& setUp = replay.target.journal.setUps.front();
    int id = 0;
    for (const RecordedEntrant& e : setUp.entrants)
        if (e.slot == correction.car) id = e.id;
    if (!validId(id)) {
        done.outcome = Outcome::failure("car " + std::to_string(correction.car) +
                                        " has no competitor in this race to hold a result");
        return done;
    }
    const int round = setUp.race.round;
    EventData storedBefore; // as stored: the replays since have changed the tables in memory
    readResults(replay.paths.results, storedBefore);
    const res_ent before = storedBefore.cptres[id];
    // Corrected, the race is stored as its journal gives it: a journal that does not give the
    // stored results (they were changed by hand since, or it does not hold the whole race) would
    // change more than the correction, unseen.
    // One run of the journal as it stands serves the check and the correction.
    const RaceTrace trace = replay.trace();
    if (const std::string differs = storedResultsDiffer(replay, storedBefore); !differs.empty()) {
        done.outcome = Outcome::failure(
            "The race's journal does not give its stored results (" + differs +
            "); the race cannot be corrected from it. Change the result in the driver's details "
            "instead.");
        return done;
    }

    const std::string problem = replay.correct(correction, trace);
    if (!problem.empty()) {
        done.outcome = Outcome::failure(problem);
        return done;
    }
    replay.corrections.push_back(correction);

    std::vector<Outcome> written;
    const RaceRunResult result = replay.run(nullptr, nullptr, [&](RaceEngine& engine) {
        replay.setResults();
        program.paths = replay.paths;
        written.push_back(writeResults(replay.paths.results, program.event));
        VirtualClock clock;
        VirtualScheduler scheduler(clock);
        RecordingPorts ports(clock);
        ResultOutputs outputs(program, loadOutputIdentity(program.home.iniFile()),
                              ResultOutputPorts{nullptr, now, ports, scheduler, nullptr});
        outputs.writeRaceResultsPage(engine.finishedRace());
        if (countsLikeAmbrc(engine.countDevice())) outputs.writeUploadFile(engine.finishedRace());
        outputs.writeEndOfRoundPages();
        for (const std::string& message : ports.texts("message")) done.messages.push_back(message);
    });
    if (!result.ok) done.messages.push_back(result.message);
    const res_ent& after = program.event.cptres[id];
    const std::string change = resultText(before.laps[round], before.time[round]) + " -> " +
                               resultText(after.laps[round], after.time[round]);
    const std::string car =
        "Car " + std::to_string(correction.car) + ", " + program.event.cpts[id].name;

    const std::string audit = stampText(now()) + "\t" + (setUp.race.heats ? "Heat " : "Final ") +
                              std::to_string(setUp.race.race) + "\tRound " + std::to_string(round) +
                              "\t" + car + "\t" + change + "\t" + correctionText(correction) +
                              "\t" + reason;
    written.push_back(appendLine(replay.correctionsFile, correctionText(correction)));
    written.push_back(appendLine(replay.paths.dir / "audit.log", audit));
    for (const Outcome& o : written)
        if (!o) {
            done.outcome = o;
            return done;
        }
    done.change = car + ": " + change;
    done.id = id;
    return done;
}

} // namespace vexa
