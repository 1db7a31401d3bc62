#include "race/standings.h"

#include "race/text_formats.h"

#include <charconv>

namespace vexa {

namespace {

void setInt(std::string& out, long long v) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.assign(buf, res.ptr);
}

void setSeconds(std::string& out, double t) {
    out.clear();
    appendSeconds(out, t);
}

// laps + "/" + seconds, as the predicted result and the driver's FTD show.
void setLapsAndTime(std::string& out, int laps, double t) {
    setInt(out, laps);
    out += '/';
    appendSeconds(out, t);
}

} // namespace

const char* extraColumnHeader(ExtraColumn type) {
    switch (type) {
    case ExtraColumn::Empty:
        return "";
    case ExtraColumn::AverageLap:
        return "Average Lap";
    case ExtraColumn::AverageSpeed:
        return "Average Speed";
    case ExtraColumn::SpeedTrap:
        return "Speed Trap";
    case ExtraColumn::DriverFtd:
        return "Driver FTD";
    case ExtraColumn::PredictedResult:
        return "Predicted Result";
    case ExtraColumn::LeaderGap:
        return "Leader Gap";
    case ExtraColumn::HitsSignal:
        return "Hits/Signal";
    }
    return "";
}

void appendLeaderGap(std::string& out, int row, double leadergap) {
    if (row == 1 || leadergap < 0.0) {
        out += FormatLapGap(leadergap);
        return;
    }
    out += "+ ";
    appendSeconds(out, leadergap);
}

GridColour Standings::carColour(uint8_t passmark) {
    if (passmark >= 1 && passmark <= RaceDriver::PassCounted) return GridColour::White;
    if (passmark == RaceDriver::PassNotCounted) return GridColour::Maroon;
    return GridColour::Blue;
}

void Standings::clear() {
    figures_.clear();
    order_.clear();
    rows_.clear();
    stale_ = false;
    pictures_.fill(std::string{});
}

void Standings::update(const RaceDrivers& drivers, const StandingsContext& context) {
    const size_t count = drivers.size();
    context_ = context;
    figures_.resize(count);
    order_.resize(count);
    stale_ = true;
    if (count == 0) return;

    // Before the first lap of a stagger start with the start order read out, the rows follow
    // the start order; otherwise the running order.
    const int first = drivers[0].runorder;
    const bool leaderWithoutLaps = first < 0 || static_cast<size_t>(first) >= count ||
                                   drivers[static_cast<size_t>(first)].lapcount == 0;
    const bool byStartOrder = leaderWithoutLaps && context.staggerStart && context.startOrderSpoken;

    for (size_t r = 0; r < count; ++r) {
        int e = byStartOrder ? drivers[r].startorder : drivers[r].runorder;
        if (e < 0 || static_cast<size_t>(e) >= count) e = static_cast<int>(r);
        order_[r] = e;
        const RaceDriver& d = drivers[r];
        Figures& f = figures_[r];
        f.carno = d.carno;
        f.lapcount = d.lapcount;
        f.predlapcount = d.predlapcount;
        f.bestlapcount = d.bestlapcount;
        f.hits = d.hits;
        f.signal = d.signal;
        f.lastpass = d.lastpass;
        f.lastlap = d.lastlap;
        f.fastestlap = d.fastestlap;
        f.leadergap = d.leadergap;
        f.predtime = d.predtime;
        f.besttime = d.besttime;
        f.traptime = d.traptime;
        f.passmark = d.passmark;
        f.finished = d.finished();
        f.seen = d.seen;
        f.name = d.drivername;
        f.picture = d.picturefile;
    }
}

void Standings::build(const RaceDrivers& drivers, const StandingsContext& context) {
    update(drivers, context);
    makeRows();
}

const std::vector<StandingsRow>& Standings::rows() const {
    if (stale_) makeRows();
    return rows_;
}

void Standings::setWide(bool wide) {
    visibleSlots_ = wide ? 4 : 2;
    if (!figures_.empty()) stale_ = true;
}

void Standings::makeRows() const {
    stale_ = false;
    const size_t count = figures_.size();
    rows_.resize(count);
    if (count == 0) return;
    const StandingsContext& context = context_;
    for (size_t r = 0; r < count; ++r) {
        const int e = order_[r];
        const Figures& d = figures_[static_cast<size_t>(e)];
        StandingsRow& row = rows_[r];
        row.entrant = e;
        setInt(row.pos, static_cast<long long>(r + 1));
        setInt(row.car, d.carno);
        row.name = d.name;
        setInt(row.laps, d.lapcount);
        setSeconds(row.time, d.lastpass);
        setSeconds(row.lastLap, d.lastlap);
        setSeconds(row.fastestLap, d.fastestlap);
        row.leaderGap.clear();
        appendLeaderGap(row.leaderGap, static_cast<int>(r + 1), d.leadergap);
        setLapsAndTime(row.predicted, d.predlapcount, d.predtime);

        row.carText = carColour(d.passmark);
        row.nameText = d.finished ? GridColour::Red : !d.seen ? GridColour::Grey : GridColour::Blue;
        if (betterResult(d.predlapcount, d.predtime, context.ftdLapCount, context.ftdTime))
            row.lapsTimeBackground = GridColour::Black;
        else if (betterResult(d.predlapcount, d.predtime, context.roundBestLapCount,
                              context.roundBestTime))
            row.lapsTimeBackground = GridColour::Fuchsia;
        else
            row.lapsTimeBackground = GridColour::Normal;
        if (d.bestlapcount >= 0 && betterResult(d.lapcount, d.lastpass, d.bestlapcount, d.besttime))
            row.lapsTimeText = GridColour::Lime;
        else if (betterResult(d.predlapcount, d.predtime, d.bestlapcount, d.besttime))
            row.lapsTimeText = GridColour::Yellow;
        else
            row.lapsTimeText = GridColour::Blue;
        fillExtra(row, d);
    }
    for (size_t place = 1; place <= 3; ++place)
        pictures_[place] = place <= count ? figures_[static_cast<size_t>(order_[place - 1])].picture
                                          : std::string{};
}

void Standings::fillExtra(StandingsRow& row, const Figures& d) const {
    const StandingsContext& context = context_;
    for (int k = 1; k <= ExtraSlots; ++k) {
        std::string& out = row.extra[static_cast<size_t>(k - 1)];
        out.clear();
        if (k > visibleSlots_) continue;
        switch (slots_[static_cast<size_t>(k)]) {
        case ExtraColumn::Empty:
            break;
        case ExtraColumn::AverageLap:
            if (d.lapcount != 0) appendSeconds(out, d.lastpass / d.lapcount);
            break;
        case ExtraColumn::AverageSpeed:
            out = FormatSpeed(d.lapcount, d.lastpass, context.trackMiles);
            break;
        case ExtraColumn::SpeedTrap:
            out = FormatSpeed(1, d.traptime, context.trapMiles);
            break;
        case ExtraColumn::DriverFtd:
            setLapsAndTime(out, d.bestlapcount, d.besttime);
            break;
        case ExtraColumn::PredictedResult:
            out = row.predicted;
            break;
        case ExtraColumn::LeaderGap:
            out = row.leaderGap;
            break;
        case ExtraColumn::HitsSignal:
            setInt(out, d.hits);
            out += " / ";
            out += std::to_string(d.signal);
            break;
        }
    }
}

int Standings::MarkCarCell(const RaceDrivers& drivers, int i) {
    if (i < 0 || static_cast<size_t>(i) >= drivers.size()) return 0;
    const RaceDriver& d = drivers[static_cast<size_t>(i)];
    if (static_cast<size_t>(i) < figures_.size())
        figures_[static_cast<size_t>(i)].passmark = d.passmark;
    for (size_t r = 0; r < order_.size(); ++r) {
        if (figures_[static_cast<size_t>(order_[r])].carno != d.carno) continue;
        if (!stale_) rows_[r].carText = carColour(d.passmark);
        return static_cast<int>(r + 1);
    }
    return 0;
}

void Standings::setSlot(int k, ExtraColumn type) {
    if (k < 1 || k > visibleSlots_) return;
    slots_[static_cast<size_t>(k)] = type;
    if (!figures_.empty()) stale_ = true;
}

std::string Standings::extraHeader(int k) const {
    if (k < 1 || k > visibleSlots_) return {};
    return extraColumnHeader(slots_[static_cast<size_t>(k)]);
}

const std::string& Standings::placePicture(int place) const {
    static const std::string none;
    if (place < 1 || place > 3) return none;
    if (stale_) makeRows();
    return pictures_[static_cast<size_t>(place)];
}

} // namespace vexa
