#include "journal/journal_resume.h"

#include "files/file_io.h"
#include "model/event_data.h"
#include "settings/prog_settings.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

namespace {

bool sameInput(const ScriptEvent& a, const ScriptEvent& b) {
    return a.ms == b.ms && a.kind == b.kind && a.data == b.data && a.action == b.action &&
           a.argument == b.argument;
}

std::string journalNames(const std::vector<JournalFile>& sitting) {
    std::string names;
    for (const JournalFile& j : sitting)
        names += (names.empty() ? "" : ", ") + displayPath(j.path.filename());
    return names;
}

} // namespace

std::vector<JournalFile> readEventJournals(const fs::path& eventDir) {
    std::vector<JournalFile> out;
    std::error_code ec;
    for (fs::directory_iterator it(eventDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".journal") continue;
        const auto bytes = readWholeFile(it->path());
        if (!bytes) continue;
        Journal journal = readJournal(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        if (journal.header) out.push_back({it->path(), std::move(journal)});
    }
    return out;
}

std::vector<JournalFile> latestSitting(std::vector<JournalFile> journals) {
    if (journals.empty()) return journals;
    const auto bySitting = [](const JournalFile& a, const JournalFile& b) {
        return a.journal.header->sitting < b.journal.header->sitting;
    };
    const int64_t last =
        std::max_element(journals.begin(), journals.end(), bySitting)->journal.header->sitting;
    std::erase_if(journals,
                  [last](const JournalFile& j) { return j.journal.header->sitting != last; });
    std::sort(journals.begin(), journals.end(), [](const JournalFile& a, const JournalFile& b) {
        return a.journal.header->ordinal < b.journal.header->ordinal;
    });
    return journals;
}

std::vector<ScriptEvent> sittingInputs(const std::vector<JournalFile>& sitting) {
    std::vector<ScriptEvent> inputs;
    for (const JournalFile& j : sitting)
        inputs.insert(inputs.end(), j.journal.inputs.begin(), j.journal.inputs.end());
    return inputs;
}

ScriptResume planScriptResume(const std::vector<JournalFile>& sitting, const RaceScript& script,
                              int races) {
    ScriptResume plan;
    plan.script = script;
    if (sitting.empty()) {
        plan.message = "no race journal found: the script is run from its start";
        return plan;
    }
    const std::vector<ScriptEvent> inputs = sittingInputs(sitting);
    const auto& events = script.events;
    const bool matches = inputs.size() <= events.size() &&
                         std::equal(inputs.begin(), inputs.end(), events.begin(), sameInput);
    const bool unfinished = std::any_of(sitting.begin(), sitting.end(), [](const JournalFile& j) {
        return j.journal.unfinished();
    });
    if (!matches) {
        plan.kind = unfinished ? ScriptResume::Kind::Mismatch : ScriptResume::Kind::Fresh;
        plan.message = unfinished ? "the race journal " + journalNames(sitting) +
                                        " holds other inputs than the script"
                                  : "no race journal of this script: it is run from its start";
        return plan;
    }
    plan.journaled = inputs.size();
    plan.storedRaces = static_cast<int>(std::count_if(
        sitting.begin(), sitting.end(), [](const JournalFile& j) { return j.journal.ended(); }));
    // Even a run that stored all its races is run again from its start: the event may have been
    // put back since, and running it again leaves what it left.
    plan.kind = ScriptResume::Kind::Resume;
    plan.script.events = inputs;
    plan.script.events.insert(plan.script.events.end(),
                              events.begin() + static_cast<std::ptrdiff_t>(inputs.size()),
                              events.end());
    plan.message = "resumed from " + journalNames(sitting) + ": " + std::to_string(inputs.size()) +
                   " input(s) replayed (" + std::to_string(plan.storedRaces) + " of " +
                   std::to_string(races) + " race(s) stored before), " +
                   std::to_string(events.size() - inputs.size()) + " script event(s) to come";
    return plan;
}

void restoreSittingStart(const std::vector<JournalFile>& sitting, ProgSettings& settings,
                         EventData& event) {
    if (sitting.empty()) return;
    const RecordedRace& first = sitting.front().journal.header->race;
    settings.roundNumber = first.round;
    settings.racingHeats = first.heats;
    settings.raceNumber = first.race;
    // Latest first, so that an entrant of two of the races keeps his result from before both.
    for (auto j = sitting.rbegin(); j != sitting.rend(); ++j) {
        if (!j->journal.raceSetUp()) continue;
        const JournalSetUp& setUp = j->journal.setUps.front();
        if (!validRound(setUp.race.round)) continue;
        for (const RecordedEntrant& e : setUp.entrants) {
            if (!validId(e.id)) continue;
            event.cptres[e.id].laps[setUp.race.round] = e.laps;
            event.cptres[e.id].time[setUp.race.round] = e.time;
        }
    }
}

std::string unfinishedRaceQuestion(const JournalFile& file) {
    const RecordedRace& race = file.journal.setUps.front().race;
    return std::string(race.heats ? "Heat " : "Final ") + std::to_string(race.race) + " of round " +
           std::to_string(race.round) +
           " was not finished when the program stopped. Resume the race where it stood?";
}

std::string resumeGapNotice(const Journal& journal, int64_t nowMs) {
    int64_t last = journal.header ? journal.header->startMs : nowMs;
    for (const JournalSetUp& s : journal.setUps) last = std::max(last, s.ms);
    if (!journal.inputs.empty()) last = std::max(last, journal.inputs.back().ms);
    const int64_t gap = nowMs - last;
    if (gap < 1000) return {};
    return "The race resumed " + std::to_string(gap / 1000) +
           " s after the last input it had kept: passings while the program was stopped were not "
           "received, so laps may be missing. Check the lap counts; a missed lap can be added as a "
           "correction after the race.";
}

Outcome leaveJournal(const fs::path& path, int64_t ms) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << journalLeftRecord(ms);
    out.flush();
    if (!out)
        return Outcome::failure("The race journal " + displayPath(path) + " could not be written");
    return Outcome::success();
}

} // namespace vexa
