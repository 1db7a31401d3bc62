#include "race/race_engine.h"

#include "base/latin1_path.h"
#include "base/whole_number.h"
#include "files/event_files.h"
#include "model/event_data.h"
#include "race/race_heading.h"
#include "settings/prog_settings.h"

#include <algorithm>

namespace vexa {

namespace {

struct LapsAndTime {
    int laps = 0;
    double time = 0.0;
};

// The best result of a class's competitors over rounds first..last, starting from 0 laps and
// 0.0 s: a later result replaces the best only with more laps, or equal laps and a strictly
// smaller time. Serves the round best and the fastest time of the day of a race.
LapsAndTime classBestResult(const EventData& event, int classno, int first, int last) {
    LapsAndTime best;
    for (int id = 1; id <= MaxCompetitors; ++id) {
        if (event.cpts[id].classno != classno) continue;
        const res_ent& res = event.cptres[id];
        for (int r = first; r <= last; ++r)
            if (betterResult(res.laps[r], res.time[r], best.laps, best.time))
                best = {res.laps[r], res.time[r]};
    }
    return best;
}

std::string cut(const std::string& text, size_t length) {
    return text.substr(0, length);
}

} // namespace

int RaceEngine::AddDriver(int CarNo, int CompNo, int Transponder) {
    RaceDriver d;
    const EventData& event = data_.event;
    if (CompNo > 0 && validId(CompNo)) {
        const comp_ent& c = event.cpts[CompNo];
        d.compno = CompNo;
        d.drivername = cut(c.name, NameCapacity);
        d.classno = c.classno;
        d.transponder = c.transponder;
        if (!c.picture.empty())
            d.picturefile = (data_.driverPicsDir / latin1Path(c.picture)).string();
        if (const int best = BestRound(event, CompNo, 1, MaxRounds)) {
            d.bestlapcount = event.cptres[CompNo].laps[best];
            d.besttime = event.cptres[CompNo].time[best];
        }
    } else {
        d.drivername = cut(Transponder == 0 ? "Unknown Car " + std::to_string(CarNo)
                                            : "Unknown " + std::to_string(Transponder),
                           NameCapacity);
        d.transponder = Transponder;
    }
    d.endtime = StartType == MassStart ? RaceMinutes * 60.0 : 0.0;
    d.carno = CarNo;
    d.startorder = static_cast<int>(race_drivers.size());
    // The new entrant takes the last running position, where the next sort puts a car without
    // laps; so the running order names every entrant once even before that sort.
    d.runorder = d.startorder;
    race_drivers.push_back(std::move(d));
    return static_cast<int>(race_drivers.size()) - 1;
}

bool RaceEngine::raceHasDrivers(int race) const {
    if (race < 1 || race > MaxRaces) return false;
    const RacingTable& table = RaceKind == HeatRace ? data_.event.heats : data_.event.finals;
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (!table.slotText(race, slot).empty()) return true;
    return false;
}

bool RaceEngine::Setuprace() {
    const ProgSettings& s = data_.settings;
    const EventData& event = data_.event;

    RaceNumber = s.raceNumber;
    RoundNumber = s.roundNumber;
    ports_.track.OpenRcioPort();
    ports_.track.SendRaceNumber(RaceNumber, RoundNumber);
    ports_.track.ClearScoreboard();
    TrackMiles = s.trackLengthMiles();
    TrapMiles = s.trapGapMiles();

    MaxLapCount = s.maxRaceLaps;
    RaceKind = s.racingHeats ? HeatRace : FinalRace;
    StartType = (RaceKind == HeatRace ? s.heatMass : s.finalMass) ? MassStart : StaggerStart;
    PreRaceSetup = settingNumber(s.raceSetup, 30);
    MinLap = settingNumber(s.minLap, 7);
    MaxLastLap = settingNumber(s.lastLap, 30);
    LastStart = settingNumber(s.lastStart, 30);
    ReadOrderInterval = settingNumber(s.runOrder, 0) * 60;
    NextReadOrder = ReadOrderInterval;
    StaggerByLastRound = s.staggerOrderLast;
    FinishedCount = 0;

    const RacingTable& table = RaceKind == HeatRace ? event.heats : event.finals;
    // The class, and with it the race length, is known before the entrants are added, so that
    // every entrant gets this race's finishing time.
    const RaceHeading heading =
        raceHeading(s, event, RaceKind == HeatRace, RaceNumber, RoundNumber);
    RaceClass = heading.classNo;
    if (!heading.hasDrivers) {
        race_drivers.clear();
        SetupDone = false;
        RaceClass = 0;
        stopCountdown();
        ResetCountdownClick();
        ports_.op.inform(NoDriversMessage);
        Updatedisplay();
        return false;
    }

    const ClassSetup& cls = s.classSetup(RaceClass);
    RaceMinutes = heading.minutes;
    if (RaceKind == FinalRace) FinalLetter = heading.finalLetter;
    panel_.heatnumLB = heading.title;
    panel_.appTitle = heading.appTitle;
    panel_.roundLB = roundText(RoundNumber);
    TenSecondCountdown = cls.tenSecCountdown;
    StartOrderSpoken = cls.readStartOrder;

    race_drivers.clear();
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (!table.slotText(RaceNumber, slot).empty())
            AddDriver(slot, table.idAt(RaceNumber, slot), 0);

    const LapsAndTime roundBest = validRound(RoundNumber)
                                      ? classBestResult(event, RaceClass, RoundNumber, RoundNumber)
                                      : LapsAndTime{};
    RoundBestLapCount = roundBest.laps;
    RoundBestTime = roundBest.time;
    const LapsAndTime ftd = classBestResult(event, RaceClass, 1, MaxRounds);
    FtdLapCount = ftd.laps;
    FtdTime = ftd.time;

    if (StartOrderSpoken == (StartType == StaggerStart)) {
        panel_.readOrderEnabled = true;
        buildStartOrder();
    }
    buildMarshals();

    panel_.rtype = StartType == MassStart ? "Mass Start" : "Stagger Start";
    Updatedisplay();
    panel_.racedur = std::to_string(RaceMinutes) + " Min Race";
    panel_.timebar = 0;
    panel_.timebarColour = BarColour::Navy;
    SetupDone = true;
    endOfRoundShown_ = false;
    scoreTimer_.start(500);
    recordSetUp();
    panelChanged();
    return true;
}

void RaceEngine::recordSetUp() {
    if (!recorder_) return;
    std::vector<RecordedEntrant> entrants;
    entrants.reserve(race_drivers.size());
    for (const RaceDriver& d : race_drivers) {
        RecordedEntrant e{d.carno, d.compno};
        if (d.compno > 0 && validRound(RoundNumber)) {
            e.laps = data_.event.cptres[d.compno].laps[RoundNumber];
            e.time = data_.event.cptres[d.compno].time[RoundNumber];
        }
        entrants.push_back(e);
    }
    recorder_->raceSetUp({RoundNumber, RaceKind == HeatRace, RaceNumber}, entrants);
}

void RaceEngine::buildStartOrder() {
    for (auto& d : race_drivers) {
        d.startorder = 0;
        d.placed = false;
    }
    const int count = static_cast<int>(race_drivers.size());
    int position = 0;
    auto place = [&](int e) {
        driver(e).placed = true;
        driver(position++).startorder = e;
    };

    if (RoundNumber <= 1) {
        // Round 1: the cars the "Round 1 Start Order" names, in its order; cars it does not
        // name follow in table order, so every position is filled.
        const auto& order = data_.settings.firstRoundOrder;
        for (int row = 1; row <= MaxSlots; ++row) {
            const int car = order[static_cast<size_t>(row)];
            if (car == 0) continue;
            const int e = findCarNumber(car);
            if (e >= 0 && !driver(e).placed) place(e);
        }
        for (int e = 0; e < count; ++e)
            if (!driver(e).placed) place(e);
        return;
    }

    // Later rounds: best result first, by the last round or by the best of the day.
    auto key = [&](int e) -> LapsAndTime {
        const RaceDriver& d = driver(e);
        if (!StaggerByLastRound) return {d.bestlapcount, d.besttime};
        if (d.compno <= 0) return {};
        const res_ent& res = data_.event.cptres[d.compno];
        const int last = std::min(RoundNumber - 1, MaxRounds);
        return {res.laps[last], res.time[last]};
    };
    for (int p = 0; p < count; ++p) {
        int best = -1;
        LapsAndTime bestKey;
        for (int e = 0; e < count; ++e) {
            if (driver(e).placed) continue;
            const LapsAndTime k = key(e);
            if (best < 0 || betterResult(k.laps, k.time, bestKey.laps, bestKey.time)) {
                best = e;
                bestKey = k;
            }
        }
        place(best);
    }
}

void RaceEngine::buildMarshals() {
    const EventData& event = data_.event;
    const RacingTable& table = RaceKind == HeatRace ? event.heats : event.finals;
    int marshalRace = RaceNumber - 1;
    if (RaceNumber == 1) {
        // The marshals of the first race are the drivers of the last race of the table.
        int firstEmpty = 2;
        while (firstEmpty <= MaxRaces && raceHasDrivers(firstEmpty)) ++firstEmpty;
        marshalRace = firstEmpty - 1;
    }
    panel_.marshalLB.clear();
    if (marshalRace < 1 || marshalRace > MaxRaces) return;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const int id = table.idAt(marshalRace, slot);
        if (id == 0) continue;
        panel_.marshalLB.push_back(std::to_string(slot) + " - " + event.cpts[id].name);
    }
}

} // namespace vexa
