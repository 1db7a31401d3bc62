#include "timing/decoder_clock_origin.h"

#include <cmath>
#include <cstdlib>

namespace vexa {

void DecoderClockOrigin::keep(int64_t ms) {
    if (restarts_.size() == KeptRestarts) restarts_.erase(restarts_.begin());
    restarts_.push_back(ms);
}

void DecoderClockOrigin::restarted(int64_t ms) {
    keep(ms);
    origin_ = ms;
    unsure_ = false;
}

void DecoderClockOrigin::unsure(std::optional<int64_t> possibleRestart) {
    if (possibleRestart) keep(*possibleRestart);
    unsure_ = true;
}

double DecoderClockOrigin::offset(int64_t origin, int64_t raceStartMs) const {
    const int64_t difference = origin - raceStartMs;
    if (std::llabs(difference) <= SameMomentMs) return 0.0;
    return static_cast<double>(difference) / 1000.0;
}

double DecoderClockOrigin::raceSeconds(double decoderSeconds, int64_t arrivalMs,
                                       int64_t raceStartMs) {
    if (unsure_) {
        unsure_ = false;
        const double arrival = static_cast<double>(arrivalMs - raceStartMs) / 1000.0;
        std::optional<int64_t> latest;
        for (int64_t restart : restarts_)
            if (decoderSeconds + offset(restart, raceStartMs) <=
                    arrival + ArrivalToleranceSeconds &&
                (!latest || restart > *latest))
                latest = restart;
        origin_ = latest ? *latest : arrivalMs - std::llround(decoderSeconds * 1000.0);
    }
    if (!origin_) return decoderSeconds;
    return decoderSeconds + offset(*origin_, raceStartMs);
}

} // namespace vexa
