#include "race/consecutive_laps.h"

#include "base/real48.h"

#include <algorithm>

namespace vexa {

void consecutiveLapsResult(RaceDriver& d, int N) {
    N = std::max(N, 1);
    if (d.lapcount > N) {
        const int kept = std::min(d.lapcount, MaxLapTimes);
        bool found = false;
        for (int f = 1; f + N - 1 <= kept; ++f) {
            double sum = 0.0;
            for (int lap = f; lap < f + N; ++lap) sum += d.laptimes[static_cast<size_t>(lap)];
            sum = roundToReal48(sum);
            if (!found || sum < d.clrtime) {
                d.clrlapcount = N;
                d.clrtime = sum;
                d.clrfirstlap = f;
                found = true;
            }
        }
        if (found) return;
    }
    d.clrlapcount = d.lapcount;
    d.clrtime = d.lastpass;
    d.clrfirstlap = 0;
}

} // namespace vexa
