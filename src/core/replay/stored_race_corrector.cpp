#include "replay/stored_race_corrector.h"

#include "journal/journal_resume.h"
#include "model/event_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>

namespace vexa {

namespace fs = std::filesystem;

namespace {

template <typename Number> bool number(const std::string& text, Number& value) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    while (begin != end && *begin == ' ') ++begin;
    while (end != begin && end[-1] == ' ') --end;
    const auto res = std::from_chars(begin, end, value);
    return begin != end && res.ec == std::errc{} && res.ptr == end;
}

std::string raceCaption(const RecordedRace& race) {
    return std::string(race.heats ? "Heat " : "Final ") + std::to_string(race.race) + ", Round " +
           std::to_string(race.round);
}

} // namespace

RequestedCorrection requestedCorrection(const CorrectionRequest& r) {
    RequestedCorrection asked;
    if (r.kind == Correction::Kind::AssignTransponder) {
        if (r.transponder == 0)
            asked.message = "Select a passing of the unknown car whose laps they were";
        else if (r.driverCar < 1 || r.driverCar > 20)
            asked.message = "Choose the driver whose laps they were";
        else
            asked.correction = Correction{
                Correction::Kind::AssignTransponder, r.driverCar, 0, 0.0, 0, 0.0, r.transponder};
        return asked;
    }
    if (r.car < 1 || r.car > 20) {
        asked.message = "Choose the car to correct";
        return asked;
    }
    Correction c;
    c.kind = r.kind;
    c.car = r.car;
    switch (r.kind) {
    case Correction::Kind::RemovePassing:
        if (!r.selectedLap) {
            asked.message = "Select the passing to remove";
            return asked;
        }
        c.lap = *r.selectedLap;
        break;
    case Correction::Kind::AddLap:
        if (!number(r.lapSeconds, c.seconds) || !std::isfinite(c.seconds) || c.seconds <= 0) {
            asked.message = "Type the race time of the missed lap in seconds (e.g. 93.25)";
            return asked;
        }
        break;
    case Correction::Kind::SetResult:
        if (!number(r.laps, c.laps) || c.laps < 0 || !number(r.time, c.time) ||
            !std::isfinite(c.time) || c.time < 0) {
            asked.message = "Type the laps and the time in seconds (e.g. 12 and 301.5)";
            return asked;
        }
        break;
    case Correction::Kind::Penalty:
    case Correction::Kind::TakeBackPenalty:
    case Correction::Kind::AssignTransponder:
        break;
    }
    asked.correction = c;
    return asked;
}

std::vector<StoredRaceChoice> storedRaces(const fs::path& eventDir) {
    std::vector<JournalFile> journals = readEventJournals(eventDir);
    std::erase_if(journals, [](const JournalFile& j) { return !j.journal.ended(); });
    std::sort(journals.begin(), journals.end(), [](const JournalFile& a, const JournalFile& b) {
        const JournalHeader& x = *a.journal.header;
        const JournalHeader& y = *b.journal.header;
        return std::tie(x.sitting, x.ordinal) > std::tie(y.sitting, y.ordinal);
    });
    std::vector<StoredRaceChoice> races;
    for (const JournalFile& j : journals)
        races.push_back({j.path, raceCaption(j.journal.setUps.front().race)});
    return races;
}

StoredRaceCorrector::StoredRaceCorrector(fs::path eventDir, JournalEventOpener openEvent,
                                         std::function<LocalMoment()> now)
    : eventDir_(std::move(eventDir)), openEvent_(std::move(openEvent)), now_(std::move(now)),
      races_(storedRaces(eventDir_)) {}

StoredRaceCorrector::~StoredRaceCorrector() = default;

Outcome StoredRaceCorrector::choose(size_t index) {
    replay_.reset();
    passings_.clear();
    results_.clear();
    notes_.clear();
    if (index >= races_.size()) return Outcome::failure("There is no stored race to correct");
    OpenedJournalReplay opened = openJournalReplay(races_[index].journal, openEvent_);
    notes_ = std::move(opened.notes);
    if (!opened.replay)
        return Outcome::failure("The race " + races_[index].caption +
                                " cannot be read: " + opened.problem);
    replay_ = std::move(opened.replay);
    readView();
    return Outcome::success();
}

void StoredRaceCorrector::readView() {
    passings_.clear();
    results_.clear();
    const JournalSetUp& setUp = replay_->target.journal.setUps.front();
    const EventData& event = replay_->program.event;
    std::array<std::string, 21> drivers{};
    for (const RecordedEntrant& e : setUp.entrants)
        if (e.slot >= 1 && e.slot <= 20 && validId(e.id))
            drivers[static_cast<size_t>(e.slot)] = event.cpts[static_cast<size_t>(e.id)].name;

    const RaceTrace trace = replay_->trace();
    std::array<int32_t, 21> unknown{};
    for (const TracedEntrant& e : trace.entrants)
        if (e.id <= 0 && e.transponder != 0 && e.car >= 1 && e.car <= 20) {
            unknown[static_cast<size_t>(e.car)] = e.transponder;
            drivers[static_cast<size_t>(e.car)] = "Unknown " + std::to_string(e.transponder);
        }
    std::array<int, 21> laps{};
    for (size_t i = 0; i < trace.lapsAfter.size(); ++i) {
        const double seconds =
            static_cast<double>(replay_->inputs[trace.firstInput + i].ms - trace.startMs) / 1000.0;
        for (size_t car = 1; car <= 20; ++car)
            for (int lap = laps[car] + 1; lap <= trace.lapsAfter[i][car]; ++lap)
                passings_.push_back(
                    {static_cast<int>(car), drivers[car], lap, seconds, unknown[car]});
        laps = trace.lapsAfter[i];
    }
    std::stable_sort(
        passings_.begin(), passings_.end(),
        [](const CountedPassing& a, const CountedPassing& b) { return a.car < b.car; });

    // The results as the run of the trace left them, with the results set by hand.
    replay_->setResults();
    for (const RecordedEntrant& e : setUp.entrants) {
        if (!validId(e.id)) continue;
        const res_ent& r = event.cptres[static_cast<size_t>(e.id)];
        results_.push_back({e.slot, e.id, drivers[static_cast<size_t>(std::clamp(e.slot, 0, 20))],
                            r.laps[setUp.race.round], r.time[setUp.race.round]});
    }
}

RaceCorrectionResult StoredRaceCorrector::apply(const CorrectionRequest& request,
                                                const std::string& reason) {
    RaceCorrectionResult done;
    if (!replay_) {
        done.outcome = Outcome::failure("Choose the stored race to correct");
        return done;
    }
    if (reason.find_first_not_of(" \t") == std::string::npos) {
        done.outcome = Outcome::failure("Type the reason for the correction: it goes into the "
                                        "audit log with the change");
        return done;
    }
    const RequestedCorrection asked = requestedCorrection(request);
    if (!asked.correction) {
        done.outcome = Outcome::failure(asked.message);
        return done;
    }
    done = correctStoredRace(*replay_, *asked.correction, reason, now_);
    readView();
    return done;
}

} // namespace vexa
