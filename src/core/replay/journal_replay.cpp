#include "replay/journal_replay.h"

#include "files/file_io.h"
#include "model/event_data.h"
#include "program/event_store.h"

#include <algorithm>

namespace vexa {

namespace fs = std::filesystem;

namespace {

// The journals to replay for `target`: the races of its sitting before it in the same round and
// table, from the first, so that the counting equipment stands as it stood. A round's end stops
// the countdown, and the round, the settings and the tables move on outside any journal, so a
// replay begins with the round. `missing` tells that an earlier race of the round has no journal
// (or none that holds its race): then the target alone is replayed.
std::vector<JournalFile> racesUpTo(const JournalFile& target, const fs::path& eventDir,
                                   bool& missing) {
    const JournalHeader& h = *target.journal.header;
    // The earlier races are found by their journals' first records; only those replayed are
    // read in full.
    const std::vector<JournalHead> heads = readJournalHeads(eventDir);
    const auto headOf = [&](int ordinal) -> const JournalHead* {
        const auto it = std::find_if(heads.begin(), heads.end(), [&](const JournalHead& j) {
            return j.header.sitting == h.sitting && j.header.ordinal == ordinal;
        });
        return it == heads.end() ? nullptr : &*it;
    };
    missing = false;
    int first = h.ordinal;
    for (int ordinal = h.ordinal - 1; ordinal >= 1; --ordinal) {
        const JournalHead* head = headOf(ordinal);
        if (head &&
            (head->header.race.round != h.race.round || head->header.race.heats != h.race.heats))
            break;
        missing = !head;
        if (missing) return {target};
        first = ordinal;
    }
    std::vector<JournalFile> races = readSittingJournals(heads, h.sitting, first, h.ordinal);
    missing = races.size() != static_cast<size_t>(h.ordinal - first) ||
              std::any_of(races.begin(), races.end(),
                          [](const JournalFile& j) { return !j.journal.raceSetUp(); });
    if (missing) return {target};
    races.push_back(target); // as read for this command
    return races;
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

Outcome openJournalEvent(Program& program, const fs::path& home, const std::string& folder,
                         std::vector<std::string>& notes) {
    program.home.root = home;
    for (std::string& message : loadProgram(program)) notes.push_back(std::move(message));
    const OpenEventResult opened = openEvent(program, folder);
    if (!opened.opened)
        return Outcome::failure(opened.message.empty() ? "The event " + folder + " was not found"
                                                       : opened.message);
    if (!opened.message.empty()) notes.push_back(opened.message);
    return Outcome::success();
}

OpenedJournalReplay openJournalReplay(const fs::path& given, const JournalEventOpener& openEvent) {
    OpenedJournalReplay opened;
    const fs::path file = fs::absolute(given);
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        opened.problem = "cannot read the journal " + displayPath(file);
        return opened;
    }
    auto r = std::make_unique<JournalReplay>();
    r->target = {file, readJournal(std::string_view(reinterpret_cast<const char*>(bytes->data()),
                                                    bytes->size()))};
    if (!r->target.journal.header || !r->target.journal.raceSetUp()) {
        opened.problem = displayPath(file) + " holds no race to replay";
        return opened;
    }
    const fs::path eventDir = file.parent_path();
    const Outcome loaded = openEvent(r->program, eventDir.parent_path().parent_path(),
                                     eventDir.filename().string(), opened.notes);
    if (!loaded) {
        opened.problem = loaded.message;
        return opened;
    }
    r->paths = *r->program.paths;
    bool missing = false;
    r->sitting = racesUpTo(r->target, r->paths.dir, missing);
    if (missing)
        opened.notes.push_back("the earlier races of its sitting have no journal; the "
                               "decoder's state is taken afresh");
    r->inputs = sittingInputs(r->sitting);
    r->firstInput = r->inputs.size() - r->target.journal.inputs.size();

    r->correctionsFile = file;
    r->correctionsFile.replace_extension(".corrections");
    if (const auto text = readWholeFile(r->correctionsFile)) {
        for (const Correction& c : readCorrections(std::string(text->begin(), text->end()))) {
            const std::string problem = r->correct(c);
            if (!problem.empty())
                opened.notes.push_back("a kept correction (" + correctionText(c) +
                                       ") cannot be made any more: " + problem);
            else
                r->corrections.push_back(c);
        }
    }
    opened.replay = std::move(r);
    return opened;
}

RaceRunResult JournalReplay::run(const HeadlessRace::Echo& echo, const RunObserver* observer,
                                 const std::function<void(RaceEngine&)>& during) {
    restoreSittingStart(sitting, program.settings, program.event);
    for (const JournalFile& j : sitting) restoreRaceColumn(j.journal.setUps.front(), program.event);
    assignTransponders();
    program.paths.reset(); // nothing of the event is written while replaying
    RaceScript script;
    script.events = inputs;
    RaceRunResult result;
    {
        HeadlessRace replay(program, echo);
        replay.scheduler.advanceTo(sitting.front().journal.header->startMs);
        result = replay.run(script, static_cast<int>(sitting.size()), nullptr, -1, observer);
        if (during) during(replay.engine());
    }
    program.paths = paths;
    return result;
}

RaceTrace JournalReplay::trace() {
    RaceTrace trace;
    trace.firstInput = firstInput;
    RunObserver observer;
    observer.before = [&](size_t i, const RaceEngine& engine) {
        if (i >= firstInput) trace.keysOnBefore.push_back(engine.values().ManualKeys);
    };
    observer.after = [&](size_t i, const RaceEngine& engine) {
        if (i < firstInput) return;
        std::array<int, 21> laps{};
        for (const RaceDriver& d : engine.values().race_drivers)
            if (d.carno >= 1 && d.carno <= 20) laps[static_cast<size_t>(d.carno)] = d.lapcount;
        trace.lapsAfter.push_back(laps);
    };
    run(nullptr, &observer, [&](RaceEngine& engine) {
        trace.startMs = engine.raceClockStartMs();
        for (const RaceDriver& d : engine.values().race_drivers)
            trace.entrants.push_back({d.carno, d.compno, d.transponder});
    });
    return trace;
}

std::string JournalReplay::correct(const Correction& correction) {
    if (correction.kind == Correction::Kind::SetResult) return {};
    return correct(correction, trace());
}

std::string JournalReplay::correct(const Correction& correction, const RaceTrace& trace) {
    if (correction.kind == Correction::Kind::SetResult) return {};
    CorrectedInputs corrected = applyCorrection(correction, inputs, trace);
    if (corrected.message.empty()) inputs = std::move(corrected.inputs);
    return corrected.message;
}

void JournalReplay::assignTransponders() {
    const JournalSetUp& setUp = target.journal.setUps.front();
    for (const Correction& c : corrections) {
        if (c.kind != Correction::Kind::AssignTransponder) continue;
        for (const RecordedEntrant& e : setUp.entrants)
            if (e.slot == c.car && validId(e.id))
                program.event.competitor(e.id).transponder = c.transponder;
    }
}

void JournalReplay::setResults() {
    const RecordedRace& race = target.journal.setUps.front().race;
    for (const Correction& c : corrections) {
        if (c.kind != Correction::Kind::SetResult) continue;
        const RacingTable& table = race.heats ? program.event.heats : program.event.finals;
        const int id = table.idAt(race.race, c.car);
        if (validId(id)) program.event.storeResult(id, race.round, c.laps, c.time);
    }
}

} // namespace vexa
