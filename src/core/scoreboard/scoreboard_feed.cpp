#include "scoreboard/scoreboard_feed.h"

#include "scoreboard/rmonitor_fields.h"
#include "settings/prog_settings.h"

#include <algorithm>
#include <tuple>

namespace vexa {

namespace {

bool samePosition(const PositionRecord& a, const PositionRecord& b) {
    return std::tie(a.position, a.carNumber, a.laps, a.totalMs) ==
           std::tie(b.position, b.carNumber, b.laps, b.totalMs);
}

bool sameBest(const std::optional<BestLapRecord>& a, const std::optional<BestLapRecord>& b) {
    if (!a || !b) return !a && !b;
    return std::tie(a->position, a->carNumber, a->lap, a->lapMs) ==
           std::tie(b->position, b->carNumber, b->lap, b->lapMs);
}

// The lap that set the car's fastest lap: the first lap of that time. A mass start's first lap
// holds the start and never counts as the fastest, so a later lap of the same time goes first.
int bestLapNumber(const RaceDriver& d, bool mass) {
    const int last = std::min<int>(d.lapcount, MaxLapTimes);
    for (int from : {mass ? 2 : 1, 1})
        for (int n = from; n <= last; ++n)
            if (d.laptimes[static_cast<size_t>(n)] == d.fastestlap) return n;
    return d.lapcount;
}

// The car's total time at the line when it completed `lap` (at most its lap count): its last
// passing less the laps it drove after.
double totalAtLap(const RaceDriver& d, int lap) {
    double total = d.lastpass;
    for (int n = d.lapcount; n > lap && n >= 1; --n)
        if (n <= MaxLapTimes) total -= d.laptimes[static_cast<size_t>(n)];
    return total;
}

} // namespace

int ScoreboardFeed::runNumber(int kind, int round, int race) {
    return kind * 100000 + round * 1000 + race;
}

bool ScoreboardFeed::sameRun(const RaceValues& v) const {
    if (cars_.empty()) return false;
    if (v.RaceNumber != race_ || v.RoundNumber != round_ || v.RaceKind != kind_ ||
        v.FinalLetter != finalLetter_ || v.race_drivers.size() < cars_.size())
        return false;
    for (size_t i = 0; i < cars_.size(); ++i) {
        const RaceDriver& d = v.race_drivers[i];
        if (d.compno != cars_[i].compno || d.carno != cars_[i].carNumber ||
            d.lapcount < cars_[i].laps)
            return false;
    }
    return true;
}

std::string ScoreboardFeed::observe(const ScoreboardRace* race, const WallMoment& now) {
    std::string out;
    if (!race) return out;
    const RaceValues& v = race->values;
    if (v.race_drivers.empty()) {
        // No race is set up any more: the readers let go of the last one.
        if (!cars_.empty()) {
            *this = ScoreboardFeed{};
            out += initRecord(now.msOfDay, rmonitorDate(now.year, now.month, now.day));
        }
        followClock(*race);
        return out;
    }
    if (!sameRun(v)) beginRun(*race, now, out);
    for (size_t i = cars_.size(); i < v.race_drivers.size(); ++i)
        addCar(*race, v.race_drivers[i], out);
    passings(v.race_drivers, out);
    positions(v.race_drivers, out);
    bestLaps(v.race_drivers, v.StartType == MassStart, out);
    followClock(*race);
    return out;
}

void ScoreboardFeed::beginRun(const ScoreboardRace& race, const WallMoment& now, std::string& out) {
    const RaceValues& v = race.values;
    race_ = v.RaceNumber;
    round_ = v.RoundNumber;
    kind_ = v.RaceKind;
    finalLetter_ = v.FinalLetter;
    runNumber_ = runNumber(v.RaceKind, v.RoundNumber, v.RaceNumber);
    std::string title = race.panel.heatnumLB;
    if (title.empty())
        title = (v.RaceKind == FinalRace ? v.FinalLetter + " Final# " : std::string("Heat# ")) +
                std::to_string(v.RaceNumber);
    runName_ = title + " Round " + std::to_string(v.RoundNumber);
    classes_.clear();
    cars_.clear();
    ended_ = false;
    out += runHead(now);
    // The laps counted before the feed first saw the run are no passings of its own.
    for (const RaceDriver& d : v.race_drivers) {
        addCar(race, d, out);
        cars_.back().laps = d.lapcount;
    }
}

std::string ScoreboardFeed::runHead(const WallMoment& now) const {
    return initRecord(now.msOfDay, rmonitorDate(now.year, now.month, now.day)) +
           runRecord(runNumber_, runName_);
}

void ScoreboardFeed::addCar(const ScoreboardRace& race, const RaceDriver& d, std::string& out) {
    const int cls = d.classno;
    if (std::none_of(classes_.begin(), classes_.end(),
                     [cls](const auto& c) { return c.first == cls; })) {
        std::string name = race.settings.classSetup(cls).name;
        if (name.empty()) name = "Class " + std::to_string(cls);
        classes_.emplace_back(cls, name);
        out += classRecord(cls, name);
    }
    const SplitName name = splitName(d.drivername);
    Car car;
    car.compno = d.compno;
    car.carNumber = d.carno;
    car.competitor =
        competitorRecords(CompetitorRecord{d.carno, d.transponder, name.first, name.last, cls});
    out += car.competitor;
    cars_.push_back(std::move(car));
}

void ScoreboardFeed::passings(const RaceDrivers& drivers, std::string& out) {
    std::vector<PassingRecord> found;
    for (size_t i = 0; i < cars_.size(); ++i) {
        const RaceDriver& d = drivers[i];
        for (int lap = cars_[i].laps + 1; lap <= d.lapcount; ++lap) {
            const bool stored = lap >= 1 && lap <= MaxLapTimes;
            const double lapTime = stored ? d.laptimes[static_cast<size_t>(lap)] : d.lastlap;
            found.push_back(
                PassingRecord{d.carno, rmonitorMs(lapTime), rmonitorMs(totalAtLap(d, lap))});
        }
        cars_[i].laps = d.lapcount;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.totalMs < b.totalMs; });
    for (const PassingRecord& p : found) out += passingRecord(p);
}

void ScoreboardFeed::positions(const RaceDrivers& drivers, std::string& out) {
    // The running order: in record k, the entrant in place k+1.
    std::vector<PositionRecord> now(cars_.size());
    for (size_t k = 0; k < drivers.size(); ++k) {
        const int e = drivers[k].runorder;
        if (e < 0 || static_cast<size_t>(e) >= cars_.size()) continue;
        const RaceDriver& d = drivers[static_cast<size_t>(e)];
        now[static_cast<size_t>(e)] = PositionRecord{static_cast<int>(k) + 1, d.carno, d.lapcount,
                                                     d.lapcount > 0 ? rmonitorMs(d.lastpass) : 0};
    }
    std::vector<const PositionRecord*> changed;
    for (size_t i = 0; i < cars_.size(); ++i) {
        if (now[i].position == 0 || samePosition(now[i], cars_[i].position)) continue;
        cars_[i].position = now[i];
        changed.push_back(&cars_[i].position);
    }
    std::sort(changed.begin(), changed.end(),
              [](const auto* a, const auto* b) { return a->position < b->position; });
    for (const PositionRecord* p : changed) out += positionRecord(*p);
}

void ScoreboardFeed::bestLaps(const RaceDrivers& drivers, bool mass, std::string& out) {
    std::vector<size_t> ranked;
    for (size_t i = 0; i < cars_.size(); ++i)
        if (drivers[i].fastestlap > 0.0 && drivers[i].lapcount > 0) ranked.push_back(i);
    std::vector<BestLapRecord> now(cars_.size());
    for (size_t i : ranked)
        now[i] = BestLapRecord{0, drivers[i].carno, bestLapNumber(drivers[i], mass),
                               rmonitorMs(drivers[i].fastestlap)};
    std::stable_sort(ranked.begin(), ranked.end(), [&](size_t a, size_t b) {
        return std::tie(now[a].lapMs, now[a].lap, cars_[a].position.position) <
               std::tie(now[b].lapMs, now[b].lap, cars_[b].position.position);
    });
    for (size_t k = 0; k < ranked.size(); ++k) now[ranked[k]].position = static_cast<int>(k) + 1;
    std::vector<const BestLapRecord*> changed;
    for (size_t i = 0; i < cars_.size(); ++i) {
        std::optional<BestLapRecord> best;
        if (now[i].position > 0) best = now[i];
        if (sameBest(best, cars_[i].best)) continue;
        cars_[i].best = best;
        if (best) changed.push_back(&*cars_[i].best);
    }
    std::sort(changed.begin(), changed.end(),
              [](const auto* a, const auto* b) { return a->position < b->position; });
    for (const BestLapRecord* b : changed) out += bestLapRecord(*b);
}

void ScoreboardFeed::followClock(const ScoreboardRace& race) {
    const RaceValues& v = race.values;
    const bool running = v.RaceState == RaceStates::Running;
    const int64_t raceSeconds = int64_t{v.RaceMinutes} * 60;
    // A race that stopped running without being restarted (a restart shows the start buttons
    // again at once) has ended: the chequered flag stays out until the next race is set up.
    if (wasRunning_ && !running && !race.panel.preButtonsVisible && holdsRun()) ended_ = true;
    if (running) ended_ = false;
    wasRunning_ = running;

    int leaderLaps = 0;
    for (const RaceDriver& d : v.race_drivers) leaderLaps = std::max(leaderLaps, d.lapcount);
    beat_.lapsToGo = v.MaxLapCount > 0 ? std::max(0, v.MaxLapCount - leaderLaps) : 9999;
    if (running) {
        beat_.raceSeconds = v.ClockSeconds;
        beat_.timeToGoSeconds = std::max<int64_t>(0, raceSeconds - v.ClockSeconds);
        beat_.flag = v.ClockSeconds >= raceSeconds ? ScoreboardFlag::Finish : ScoreboardFlag::Green;
    } else if (ended_) {
        beat_.timeToGoSeconds = 0;
        beat_.flag = ScoreboardFlag::Finish;
    } else {
        beat_.raceSeconds = 0;
        beat_.timeToGoSeconds = holdsRun() ? raceSeconds : 0;
        beat_.flag = ScoreboardFlag::None;
    }
    if (race.panel.countdownPaused) beat_.flag = ScoreboardFlag::Yellow;
}

std::string ScoreboardFeed::heartbeat(const WallMoment& now) const {
    HeartbeatRecord beat = beat_;
    beat.timeOfDayMs = now.msOfDay;
    return heartbeatRecord(beat);
}

std::string ScoreboardFeed::welcome(const WallMoment& now) const {
    std::string out;
    if (holdsRun()) {
        out += runHead(now);
        for (const auto& [number, name] : classes_) out += classRecord(number, name);
        for (const Car& car : cars_) out += car.competitor;
        std::vector<const Car*> placed;
        for (const Car& car : cars_)
            if (car.position.position > 0) placed.push_back(&car);
        std::sort(placed.begin(), placed.end(), [](const Car* a, const Car* b) {
            return a->position.position < b->position.position;
        });
        for (const Car* car : placed) out += positionRecord(car->position);
        std::vector<const BestLapRecord*> best;
        for (const Car& car : cars_)
            if (car.best) best.push_back(&*car.best);
        std::sort(best.begin(), best.end(),
                  [](const auto* a, const auto* b) { return a->position < b->position; });
        for (const BestLapRecord* b : best) out += bestLapRecord(*b);
    }
    out += heartbeat(now);
    return out;
}

} // namespace vexa
