#include "timing/passing_counter.h"

#include "ports/clock.h"
#include "ports/timing_view.h"
#include "settings/prog_settings.h"
#include "timing/decoder_records.h"
#include "timing/p3_transponder.h"
#include "timing/record_fields.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace vexa {

namespace {

std::string secondsText(double raceSeconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", raceSeconds);
    return text;
}

} // namespace

std::string latePassingNotice(int carno, const std::string& driver, double raceSeconds) {
    return "A passing of car " + std::to_string(carno) + " (" + driver + ") at race second " +
           secondsText(raceSeconds) +
           " came from the decoder too late to be counted in its place: add it in Correct Results";
}

std::string passingAfterStoreNotice(const std::string& race, int carno, const std::string& driver,
                                    double raceSeconds) {
    return "A passing of " + race + " came from the decoder after the race was stored: car " +
           std::to_string(carno) + " (" + driver + ") at race second " + secondsText(raceSeconds) +
           "; it can be added in Correct Results";
}

double PassingCounter::raceSeconds(double decoderSeconds) {
    const TimedRace& engine = race_;
    // Booking in, every crossing counts as time 0 whatever its time.
    if (!engine.raceRunning()) return decoderSeconds;
    return clockOrigin_.raceSeconds(decoderSeconds, clock_.milliseconds(),
                                    engine.raceClockStartMs());
}

void PassingCounter::conversionError(std::string_view text) {
    view_.showNotice(conversionErrorText(text));
}

int PassingCounter::entrantForTransponder(int32_t transponder, bool keep) {
    TimedRace& engine = race_;
    if (const int i = engine.findTransponder(transponder); i >= 0) return i;

    int candidate = 0;
    for (int s = 1; s <= 4; ++s) {
        const TrackTransponderSet& set = settings_.trackSets[static_cast<size_t>(s)];
        for (int t = 1; t <= MaxSlots; ++t)
            if (set.transponders[static_cast<size_t>(t)] == transponder) candidate = t;
    }
    if (candidate > 0) {
        const RaceDrivers& drivers = engine.raceDrivers();
        for (size_t i = 0; i < drivers.size(); ++i) {
            const RaceDriver& d = drivers[i];
            if (d.carno != candidate || d.transponder != 0) continue;
            if (keep) engine.keepTransponder(static_cast<int>(i), transponder);
            return static_cast<int>(i);
        }
    }
    return addUnknownCar(engine.freeCarNumber(), transponder);
}

int PassingCounter::entrantForCarNumber(int32_t carno) {
    TimedRace& engine = race_;
    if (const int i = engine.findCarNumber(carno); i >= 0) return i;
    return addUnknownCar(carno, 0);
}

int PassingCounter::addUnknownCar(int32_t carno, int32_t transponder) {
    TimedRace& engine = race_;
    if (!engine.canAddUnknownCar()) return -1;
    const RaceDrivers& drivers = engine.raceDrivers();
    const auto unknown = std::count_if(drivers.begin(), drivers.end(),
                                       [](const RaceDriver& d) { return d.compno <= 0; });
    if (unknown >= MaxUnknownCars) return -1;
    const int i = engine.AddDriver(carno, 0, transponder);
    if (unknown + 1 == MaxUnknownCars) view_.showNotice(UnknownCarLimitNotice);
    return i;
}

void PassingCounter::countAmbrc(std::string_view record, int32_t decoderId) {
    const AmbrcRecord r = parseAmbrcRecord(record, decoderId);
    switch (r.kind) {
    case RecordKind::Malformed:
        conversionError(r.badText);
        return;
    case RecordKind::WrongDecoder:
        race_.DiagnosticNote(WrongDecoderNote);
        return;
    case RecordKind::Status:
        view_.showDecoderStatus("AMBrc Noise:" + std::string(r.noise));
        return;
    case RecordKind::Passing:
        break;
    case RecordKind::Ignored:
        return;
    }
    // The car is found (or added) before its time and hits are tested.
    const int i = entrantForTransponder(r.transponder, !settings_.countSame);
    if (i < 0) return;
    TimedRace& engine = race_;
    if (r.time == -1.0) {
        engine.DiagnosticNote(InvalidTimeNote);
        return;
    }
    if (r.hits < settings_.lowestHits) return tooFewHits(r.transponder, r.hitsText);
    engine.noteDecoderReading(i, r.hits, r.signal);
    engine.sortCarPass(i, raceSeconds(r.time));
}

void PassingCounter::tooFewHits(int32_t transponder, std::string_view hitsText) {
    race_.DiagnosticNote("Transponder" + std::to_string(transponder) + " Passing outside Hits(" +
                         std::string(hitsText) + ") acceptence level");
}

void PassingCounter::countP3(const P3Passing& passing, double raceTime) {
    const std::optional<int32_t> transponder = p3TransponderNumber(passing);
    if (!transponder) return race_.DiagnosticNote(P3NoTransponderNote);
    // The car is found (or added) before its hits are tested, as for AMBrc.
    const int i = entrantForTransponder(*transponder, !settings_.countSame);
    if (i < 0) return;
    std::optional<int32_t> hits, strength;
    if (passing.hits) hits = *passing.hits;
    if (passing.strength) strength = *passing.strength;
    if (hits && *hits < settings_.lowestHits)
        return tooFewHits(*transponder, std::to_string(*hits));
    TimedRace& engine = race_;
    engine.noteDecoderReading(i, hits, strength);
    if (engine.sortRecordedPass(i, raceTime)) return;
    const RaceDriver& d = engine.raceDrivers()[static_cast<size_t>(i)];
    view_.showNotice(latePassingNotice(d.carno, d.drivername, raceTime));
}

bool PassingCounter::tellPassingAfterStore(const P3Passing& passing, double raceTime) {
    const std::optional<int32_t> transponder = p3TransponderNumber(passing);
    const TimedRace& engine = race_;
    const int i = transponder ? engine.findTransponder(*transponder) : -1;
    if (i < 0) return false;
    const RaceDriver& d = engine.raceDrivers()[static_cast<size_t>(i)];
    const std::string name = (engine.heatRace() ? "Heat " : "Final ") +
                             std::to_string(engine.raceNumber()) + " of round " +
                             std::to_string(engine.roundNumber());
    view_.showNotice(passingAfterStoreNotice(name, d.carno, d.drivername, raceTime));
    return true;
}

void PassingCounter::countSystem20(std::string_view record) {
    // The clock record says where the decoder's clock stands, which a race resumed needs to know.
    if (const std::optional<double> clock = system20ClockTime(record)) {
        raceSeconds(*clock);
        return;
    }
    const CarRecord r = parseSystem20Record(record);
    if (r.kind == RecordKind::Malformed) return conversionError(r.badText);
    if (r.kind != RecordKind::Passing) return;
    const int i = entrantForCarNumber(r.carno);
    if (i < 0) return;
    TimedRace& engine = race_;
    engine.noteDecoderReading(i, r.hits, std::nullopt);
    engine.sortCarPass(i, raceSeconds(r.time));
}

void PassingCounter::countEx20(std::string_view record) {
    const Ex20Record r = parseEx20Record(record);
    if (r.kind != RecordKind::Passing) return;
    const int i = entrantForTransponder(r.transponder, true);
    if (i < 0) return;
    TimedRace& engine = race_;
    engine.noteDecoderReading(i, 1, 1);
    engine.sortCarPass(i, Ex20PassingTime);
}

void PassingCounter::countItalian(std::string_view record) {
    const CarRecord r = parseItalianRecord(record);
    if (r.kind == RecordKind::Malformed) return conversionError(r.badText);
    if (r.kind != RecordKind::Passing) return;
    const int i = entrantForCarNumber(r.carno);
    if (i < 0) return;
    race_.sortCarPass(i, r.time);
}

void PassingCounter::countSecondSystem20(std::string_view record) {
    const CarRecord r = parseSecondSystem20Record(record);
    if (r.kind == RecordKind::Malformed) return conversionError(r.badText);
    if (r.kind != RecordKind::Passing) return;
    TimedRace& engine = race_;
    const int i = engine.findCarNumber(r.carno);
    if (i < 0) return;
    engine.sortCarPass(i, r.time);
}

} // namespace vexa
