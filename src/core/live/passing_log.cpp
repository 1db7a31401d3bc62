#include "live/passing_log.h"

#include "base/plain_text.h"
#include "race/text_formats.h"
#include "settings/ini_file.h"

namespace vexa {

namespace {

// A time as the race screen shows it without the alignment blanks ("12.34").
std::string trimmedSeconds(double t) {
    return trimBlanks(FormatSeconds(t));
}

} // namespace

bool PassingLog::sameRace(const RaceValues& v) const {
    if (v.RaceNumber != race_ || v.RoundNumber != round_ || v.RaceKind != kind_) return false;
    if (v.race_drivers.size() != laps_.size()) return false;
    for (size_t i = 0; i < laps_.size(); ++i)
        if (v.race_drivers[i].compno != compnos_[i] || v.race_drivers[i].lapcount < laps_[i])
            return false;
    return true;
}

void PassingLog::observe(const RaceValues& v) {
    if (!sameRace(v)) {
        passings_.clear();
        race_ = v.RaceNumber;
        round_ = v.RoundNumber;
        kind_ = v.RaceKind;
        laps_.clear();
        compnos_.clear();
        for (const RaceDriver& d : v.race_drivers) {
            laps_.push_back(d.lapcount);
            compnos_.push_back(d.compno);
        }
        return;
    }
    for (size_t i = 0; i < laps_.size(); ++i) {
        const RaceDriver& d = v.race_drivers[i];
        for (int32_t lap = laps_[i] + 1; lap <= d.lapcount; ++lap) {
            const bool stored = lap >= 1 && lap <= MaxLapTimes;
            const double lapTime = stored ? d.laptimes[static_cast<size_t>(lap)] : d.lastlap;
            passings_.push_front(LivePassing{d.carno, d.drivername, lap, trimmedSeconds(lapTime),
                                             trimmedSeconds(d.lastpass)});
            if (passings_.size() > Kept) passings_.pop_back();
        }
        laps_[i] = d.lapcount;
    }
}

} // namespace vexa
