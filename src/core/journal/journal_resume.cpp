#include "journal/journal_resume.h"

#include "files/file_io.h"
#include "journal/decoder_status_thinner.h"
#include "model/event_data.h"
#include "output/pending_upload.h"
#include "output/upload_file.h"
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

std::vector<ScriptEvent> sittingInputs(const std::vector<JournalFile>& sitting) {
    std::vector<ScriptEvent> inputs;
    for (const JournalFile& j : sitting)
        inputs.insert(inputs.end(), j.journal.inputs.begin(), j.journal.inputs.end());
    return inputs;
}

std::string sittingDamage(const std::vector<JournalFile>& sitting) {
    for (size_t i = 0; i < sitting.size(); ++i) {
        const JournalFile& j = sitting[i];
        const std::string name = displayPath(j.path.filename());
        if (j.journal.header->ordinal != static_cast<int>(i) + 1)
            return "race journal " + std::to_string(i + 1) +
                   " of the stopped run is missing or unreadable";
        if (i + 1 < sitting.size() && !j.journal.ended() && !j.journal.left)
            return name + " holds no end of its race, yet a later race of the run follows";
    }
    return {};
}

ScriptResume planScriptResume(const std::vector<JournalFile>& sitting, const RaceScript& script,
                              int races, int countingDevice) {
    ScriptResume plan;
    plan.script = script;
    if (sitting.empty()) {
        plan.message = "no race journal found: the script is run from its start";
        return plan;
    }
    // A journal that lost its records cannot tell what the run did to the event: neither a
    // resume nor a run from the start would store the results of a run never stopped.
    if (const std::string damage = sittingDamage(sitting); !damage.empty()) {
        plan.kind = ScriptResume::Kind::Damaged;
        plan.message = "the race journals of the stopped run are damaged (" + damage +
                       "): the run cannot be put back. Put the event's files back as they were "
                       "before the run, then run the script without --resume";
        return plan;
    }
    const std::vector<ScriptEvent> inputs = sittingInputs(sitting);
    const auto& events = script.events;
    const JournaledEvents journaled = journaledEvents(events, countingDevice);
    const bool matches =
        inputs.size() <= journaled.events.size() &&
        std::equal(inputs.begin(), inputs.end(), journaled.events.begin(), sameInput);
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
    // The script's events up to the last one journaled are replayed as the journals hold them;
    // a status record left out after it comes again, and is left out again.
    plan.journaled = inputs.empty() ? 0 : journaled.scriptIndex[inputs.size() - 1] + 1;
    plan.storedRaces = static_cast<int>(std::count_if(
        sitting.begin(), sitting.end(), [](const JournalFile& j) { return j.journal.ended(); }));
    // Even a run that stored all its races is run again from its start: the event may have been
    // put back since, and running it again leaves what it left.
    plan.kind = ScriptResume::Kind::Resume;
    plan.script.events = inputs;
    plan.script.events.insert(plan.script.events.end(),
                              events.begin() + static_cast<std::ptrdiff_t>(plan.journaled),
                              events.end());
    plan.message = "resumed from " + journalNames(sitting) + ": " + std::to_string(inputs.size()) +
                   " input(s) replayed (" + std::to_string(plan.storedRaces) + " of " +
                   std::to_string(races) + " race(s) stored before), " +
                   std::to_string(events.size() - plan.journaled) + " script event(s) to come";
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

Outcome restoreUploadFile(const std::vector<JournalFile>& sitting, const fs::path& eventDir) {
    const auto first = std::find_if(sitting.begin(), sitting.end(), [](const JournalFile& j) {
        return j.journal.uploadBytes.has_value();
    });
    if (first == sitting.end()) return Outcome::success();
    const uint64_t kept = *first->journal.uploadBytes;
    const fs::path file = eventDir / UploadCollectFileName;
    std::error_code ec;
    fs::remove(eventDir / PendingUploadFileName, ec);
    const auto bytes = readWholeFile(file);
    if (!bytes || bytes->size() <= kept) return Outcome::success();
    if (kept > 0)
        return writeFileAtomic(
            file, std::vector<uint8_t>(bytes->begin(),
                                       bytes->begin() + static_cast<std::ptrdiff_t>(kept)));
    if (!fs::remove(file, ec))
        return Outcome::failure("The file " + displayPath(file) + " could not be removed");
    return Outcome::success();
}

std::string damagedJournalNotice(const JournalFile& file, const fs::path& keptAs) {
    const RecordedRace& race = file.journal.header->race;
    return "The race journal of " + std::string(race.heats ? "Heat " : "Final ") +
           std::to_string(race.race) + " of round " + std::to_string(race.round) + " (" +
           displayPath(file.path.filename()) +
           ") is damaged: records are missing in its midst, so the race cannot be put back as it "
           "stood when the program stopped. Check its results: run the race again, or enter "
           "them by hand. The journal is kept as " +
           displayPath(keptAs.filename()) + ".";
}

fs::path setDamagedJournalAside(const JournalFile& file) {
    fs::path aside = file.path;
    aside += ".damaged";
    std::error_code ec;
    for (int n = 2; fs::exists(aside, ec); ++n) {
        aside = file.path;
        aside += ".damaged-" + std::to_string(n);
    }
    fs::rename(file.path, aside, ec);
    return ec ? file.path : aside;
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
