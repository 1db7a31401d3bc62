#include "race/race_engine.h"

#include "base/real48.h"
#include "files/event_files.h"
#include "model/event_data.h"
#include "race/manual_keys.h"
#include "race/sound_table.h"
#include "settings/prog_settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vexa {

double RaceEngine::RaceTime() const {
    const double now = roundToReal48(static_cast<double>(ports_.clock.milliseconds()) / 1000.0);
    return roundToReal48(now - clockStart_);
}

int64_t RaceEngine::raceClockStartMs() const {
    return std::llround(clockStart_ * 1000.0);
}

void RaceEngine::StartRaceClock() {
    clockStart_ = roundToReal48(static_cast<double>(ports_.clock.milliseconds()) / 1000.0);
    // The shown second belongs to the new clock from now on; a value left from the last race
    // would refuse penalties and unknown cars until the first tick.
    ClockSeconds = 0;
}

int RaceEngine::findCarNumber(int carno) const {
    for (size_t i = 0; i < race_drivers.size(); ++i)
        if (race_drivers[i].carno == carno) return static_cast<int>(i);
    return -1;
}

int RaceEngine::findTransponder(int transponder) const {
    for (size_t i = 0; i < race_drivers.size(); ++i)
        if (race_drivers[i].transponder == transponder) return static_cast<int>(i);
    return -1;
}

int RaceEngine::freeCarNumber() const {
    int n = 1;
    for (bool met = true; met;) {
        met = false;
        for (const auto& d : race_drivers)
            if (d.carno == n) {
                ++n;
                met = true;
            }
    }
    return n;
}

bool RaceEngine::manualKey(char key) {
    if (!ManualKeys) return false;
    const int car = carForKey(key);
    if (car == 0) return false;
    int index = findCarNumber(car);
    if (index < 0) {
        if (std::trunc(RaceTime()) >= RaceMinutes * 60.0) return true;
        index = AddDriver(car, 0, 0);
    }
    sortCarPass(index, RaceTime());
    return true;
}

void RaceEngine::sortCarPass(int Index, double PassTime) {
    // A passing time more than 6 s off the computer's race clock is replaced by it.
    countPass(Index, PassTime, 6.0);
}

bool RaceEngine::sortRecordedPass(int Index, double PassTime) {
    if (validIndex(Index) && !BookingIn && RaceState == RaceStates::Running) {
        const double T = roundToReal48(PassTime);
        const RaceDriver& d = driver(Index);
        // A stagger start's crossings are timed from the car's own start.
        const double last = StartType == MassStart ? d.lastpass : d.starttime + d.lastpass;
        if (d.lapcount > 0 && T < last) {
            const bool placed = StartType == MassStart && placeEarlierPass(Index, T);
            Updatedisplay();
            MarkCarCell(Index);
            return placed;
        }
    }
    // The decoder's record of the crossing stands however late it came; a time ahead of the
    // race clock cannot have been recorded yet.
    countPass(Index, PassTime, std::numeric_limits<double>::infinity());
    return true;
}

void RaceEngine::countPass(int Index, double PassTime, double allowedBehind) {
    if (!validIndex(Index)) return;
    if (BookingIn) {
        PassTime = 0.0;
        playwav(Sound::CarPassFtd);
    } else {
        const double c = RaceTime();
        if (!(PassTime >= c - allowedBehind && PassTime <= c + 6.0)) {
            PassTime = c;
            DiagnosticNote(ComputerTimeNote);
        }
    }
    PassTime = roundToReal48(PassTime);
    // A counted lap sorts the running order as its last change to the figures; the standings
    // then need no second sort.
    const uint64_t sortsBefore = orderSorts_;
    if (BookingIn || RaceState == RaceStates::Running) {
        if (StartType == MassStart)
            Sortpassmass(Index, PassTime);
        else
            Sortpassstagger(Index, PassTime);
    }
    if (orderSorts_ == sortsBefore) SortRunningOrder();
    showStandings();
    MarkCarCell(Index);
}

void RaceEngine::RecordExtraCrossing(int i, double t) {
    RaceDriver& d = driver(i);
    if (!SpeedTrapActive || d.trapdone) return;
    d.traptime = roundToReal48(t - d.lastpass);
    d.trapdone = true;
    if (d.lapcount >= 0 && d.lapcount <= MaxLapTimes)
        d.traptimes[static_cast<size_t>(d.lapcount)] = d.traptime;
}

void RaceEngine::Sortpassmass(int i, double T) {
    RaceDriver& d = driver(i);
    if (d.finished()) {
        RecordExtraCrossing(i, T);
        return;
    }
    d.seen = true;
    if (d.starttime == 0.0 && !data_.settings.countFirst) {
        // The first crossing counts no lap; lap 1 is timed from the start to the next one.
        d.starttime = T;
        d.passmark = RaceDriver::PassCounted;
        return;
    }
    if (T <= d.lastpass + MinLap) {
        RecordExtraCrossing(i, T);
        d.passmark = RaceDriver::PassNotCounted;
        return;
    }
    d.passmark = RaceDriver::PassCounted;
    const int leaderBefore = leader();
    ++d.lapcount;
    if (d.endtime <= T ||
        (MaxLapCount > 0 && (d.lapcount == MaxLapCount ||
                             (leaderBefore >= 0 && driver(leaderBefore).lapcount == MaxLapCount))))
        CarFinish(i);
    if (SpeedTrapActive && !d.trapdone)
        DiagnosticNote("Car#" + std::to_string(i) + "did not register a speed trap time");
    d.trapdone = false;
    d.lastlap = roundToReal48(T - d.lastpass);
    if (d.lapcount == 2 || d.lastlap < d.fastestlap) d.fastestlap = d.lastlap;
    d.lastpass = T;
    if (d.lapcount <= MaxLapTimes) d.laptimes[static_cast<size_t>(d.lapcount)] = d.lastlap;
    countedLapEnd(i);
}

void RaceEngine::Sortpassstagger(int i, double T) {
    RaceDriver& d = driver(i);
    if (d.finished()) {
        RecordExtraCrossing(i, roundToReal48(T - d.starttime));
        return;
    }
    d.seen = true;
    const double raceSeconds = RaceMinutes * 60.0;
    if (d.starttime == 0.0) {
        // The car's own start: its clock runs from this crossing.
        d.passmark = RaceDriver::PassCounted;
        d.starttime = T;
        d.endtime = roundToReal48(T + raceSeconds);
        d.lapcount = 0;
        d.lastpass = 0.0;
        d.trapdone = false;
        if (!StartOrderSpoken && d.starttime > 0.0) {
            SpeakNumber(d.carno);
            playwav(Sound::Started);
        }
        return;
    }
    const double t = roundToReal48(T - d.starttime);
    if (t <= d.lastpass + MinLap) {
        RecordExtraCrossing(i, t);
        d.passmark = RaceDriver::PassNotCounted;
        return;
    }
    d.passmark = RaceDriver::PassCounted;
    if (SpeedTrapActive && !d.trapdone)
        DiagnosticNote("Car#" + std::to_string(i) + "did not register a speed trap time");
    d.trapdone = false;
    ++d.lapcount;
    if (data_.settings.startFromLeader && d.lapcount == 1) {
        // The first lap completed starts every car that has not crossed the line yet.
        for (auto& other : race_drivers) {
            if (other.starttime != 0.0) continue;
            other.starttime = T;
            other.endtime = roundToReal48(T + raceSeconds);
            other.lapcount = 0;
            other.lastpass = 0.0;
            other.trapdone = false;
        }
    }
    if (d.endtime <= T || (MaxLapCount != 0 && d.lapcount == MaxLapCount)) CarFinish(i);
    d.lastlap = roundToReal48(t - d.lastpass);
    if (d.lapcount == 1 || d.lastlap < d.fastestlap) d.fastestlap = d.lastlap;
    d.lastpass = t;
    if (d.lapcount <= MaxLapTimes) d.laptimes[static_cast<size_t>(d.lapcount)] = d.lastlap;
    countedLapEnd(i);
}

void RaceEngine::countedLapEnd(int i) {
    SortRunningOrder();
    UpdateLeaderGap(i);
    const RaceDriver& d = driver(i);
    PredictResult(i, d.lastpass / d.lapcount);
    passBeep(i);
}

void RaceEngine::passBeep(int i) {
    const RaceDriver& d = driver(i);
    if (i == leader() && betterResult(d.predlapcount, d.predtime, FtdLapCount, FtdTime))
        playwav(Sound::CarPassFtd);
    else if (betterResult(d.predlapcount, d.predtime, d.bestlapcount, d.besttime))
        playwav(Sound::CarPass);
    else
        playwav(Sound::CarPassNo);
}

int RaceEngine::leader() const {
    if (race_drivers.empty()) return -1;
    const int first = race_drivers[0].runorder;
    return validIndex(first) ? first : 0;
}

void RaceEngine::SortRunningOrder() {
    // Most laps first, then the earlier last crossing; equal results stay in index order. That
    // is one strict order, so however the entrants are sorted the running order is the same.
    // Between two sorts one car has usually crossed the line: an insertion sort over the last
    // running order moves that car alone. Should the last order not be a running order of these
    // entrants, or should the cars have changed places much (more moves than a few per entrant),
    // the whole field is sorted in n log n, so a full field of unknown cars cannot hold up the
    // counting. Sorted in place: nothing is allocated per passing.
    const size_t count = race_drivers.size();
    sortKeys_.resize(count);
    sortPlaced_.assign(count, 0);
    bool fromLastOrder = true;
    for (size_t p = 0; p < count; ++p) {
        const int32_t e = race_drivers[p].runorder;
        if (e < 0 || static_cast<size_t>(e) >= count || sortPlaced_[static_cast<size_t>(e)]) {
            fromLastOrder = false;
            break;
        }
        sortPlaced_[static_cast<size_t>(e)] = 1;
    }
    for (size_t p = 0; p < count; ++p) {
        const size_t e = fromLastOrder ? static_cast<size_t>(race_drivers[p].runorder) : p;
        const RaceDriver& d = race_drivers[e];
        sortKeys_[p] = {d.lapcount, d.lastpass, static_cast<int32_t>(e)};
    }
    const auto ahead = [](const SortKey& a, const SortKey& b) {
        if (betterResult(a.laps, a.lastpass, b.laps, b.lastpass)) return true;
        if (betterResult(b.laps, b.lastpass, a.laps, a.lastpass)) return false;
        return a.index < b.index;
    };
    bool sorted = false;
    if (fromLastOrder) {
        size_t movesLeft = 4 * count + 16;
        sorted = true;
        for (size_t p = 1; p < count && sorted; ++p) {
            const SortKey key = sortKeys_[p];
            size_t q = p;
            for (; q > 0 && ahead(key, sortKeys_[q - 1]); --q) {
                if (movesLeft-- == 0) {
                    sorted = false;
                    break;
                }
                sortKeys_[q] = sortKeys_[q - 1];
            }
            sortKeys_[q] = key;
        }
    }
    if (!sorted) std::sort(sortKeys_.begin(), sortKeys_.end(), ahead);
    ++orderSorts_;
    for (size_t p = 0; p < count; ++p) {
        RaceDriver& d = race_drivers[p];
        d.runorder = sortKeys_[p].index;
        d.placed = true;
    }
}

void RaceEngine::UpdateLeaderGap(int i) {
    const int L = leader();
    if (L < 0 || !validIndex(i)) return;
    const RaceDriver& lead = driver(L);
    if (i != L) {
        RaceDriver& d = driver(i);
        d.leadergap = d.lapcount == lead.lapcount ? roundToReal48(d.lastpass - lead.lastpass)
                                                  : d.lapcount - lead.lapcount;
        return;
    }
    driver(L).leadergap = lead.lapcount;
    for (size_t p = 1; p < race_drivers.size(); ++p) {
        RaceDriver& d = driver(race_drivers[p].runorder);
        if (d.lapcount == lead.lapcount)
            d.leadergap = roundToReal48(d.lastpass - lead.lastpass);
        else if (d.seen && !d.finished() && L == PrevLeader)
            continue; // a running car keeps its gap while the leader stays the same
        else
            d.leadergap = d.lapcount - lead.lapcount;
    }
    PrevLeader = L;
}

void RaceEngine::PredictResult(int i, double averageLap) {
    if (averageLap == 0.0) return;
    RaceDriver& d = driver(i);
    d.predlapcount = static_cast<int32_t>(RaceMinutes * 60.0 / averageLap + 1.0);
    d.predtime = roundToReal48(d.predlapcount * averageLap);
}

} // namespace vexa
