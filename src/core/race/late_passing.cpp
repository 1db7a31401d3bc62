#include "race/race_engine.h"

#include "base/real48.h"
#include "settings/prog_settings.h"

#include <algorithm>
#include <vector>

namespace vexa {

// A crossing the decoder sent again late, made before the car's last counted one: the car's
// counted crossings are laid out again from its lap times, this one put in its order, and each
// judged as Sortpassmass judged it had it come in that order. Crossings within the minimum lap
// of a counted one were never counted and are not known; they stay so.
bool RaceEngine::placeEarlierPass(int i, double T) {
    RaceDriver& d = driver(i);
    const int n = d.lapcount;
    if (n > MaxLapTimes || MaxLapCount > 0) return false;
    // Without "Count first Lap" the car's first crossing only started it: one before it cannot
    // be judged from its laps.
    if (!data_.settings.countFirst && T <= d.starttime) return false;

    // The counted crossings: at[k] ends lap k; lap 1 is timed from the start.
    std::vector<double> at(static_cast<size_t>(n) + 1, 0.0);
    for (int k = 1; k <= n; ++k)
        at[k] = k == n ? d.lastpass : roundToReal48(at[k - 1] + d.laptimes[k]);
    size_t k = 1;
    while (at[k] <= T) ++k; // at[k - 1] <= T < at[k]
    const double before = at[k - 1];
    const bool finishedBefore = k > 1 && d.endtime <= before;
    // Too soon after the crossing before it, or after the car had finished: it counts nothing.
    if (T <= before + MinLap || finishedBefore) return true;

    std::vector<double> crossings(at.begin() + 1, at.begin() + static_cast<ptrdiff_t>(k));
    crossings.push_back(T);
    const bool finishesHere = d.endtime <= T;
    if (!finishesHere) {
        // The crossing after it counts on unless it now comes within the minimum lap.
        size_t next = k;
        if (at[next] <= T + MinLap) ++next;
        crossings.insert(crossings.end(), at.begin() + static_cast<ptrdiff_t>(next), at.end());
    }

    const bool wasFinished = d.finished();
    std::array<double, MaxLapTimes + 1> traps = d.traptimes;
    d.lapcount = static_cast<int32_t>(crossings.size());
    d.laptimes.fill(0.0);
    d.traptimes.fill(0.0);
    double last = 0.0;
    for (size_t m = 1; m <= crossings.size() && m <= MaxLapTimes; ++m) {
        d.laptimes[m] = roundToReal48(crossings[m - 1] - last);
        last = crossings[m - 1];
        // Speed-trap times stay with the crossing they followed; the new one has none.
        const auto old = std::find(at.begin() + 1, at.end(), crossings[m - 1]);
        if (old != at.end()) d.traptimes[m] = traps[static_cast<size_t>(old - at.begin())];
    }
    d.lastpass = crossings.back();
    d.lastlap = d.laptimes[static_cast<size_t>(std::min(d.lapcount, MaxLapTimes))];
    if (d.lapcount >= 2)
        d.fastestlap = *std::min_element(
            d.laptimes.begin() + 2, d.laptimes.begin() + 1 + std::min(d.lapcount, MaxLapTimes));
    d.seen = true;
    d.passmark = RaceDriver::PassCounted;
    if (finishesHere && !wasFinished) CarFinish(i);
    SortRunningOrder();
    UpdateLeaderGap(i);
    PredictResult(i, d.lastpass / d.lapcount);
    return true;
}

} // namespace vexa
