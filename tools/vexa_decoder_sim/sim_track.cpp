#include "sim_track.h"

#include "sim_decoder.h"

#include <algorithm>

namespace vexa::sim {

SimTrack::SimTrack(const SimSettings& settings, std::mt19937& random, double now)
    : lapSeconds_(settings.lapSeconds), spreadSeconds_(settings.spreadSeconds), random_(random) {
    std::uniform_real_distribution<double> firstPass(0.5, std::max(0.6, lapSeconds_));
    for (int32_t number : settings.numbers) cars_.push_back({number, now + firstPass(random_)});
}

double SimTrack::lapTime() {
    std::uniform_real_distribution<double> spread(-spreadSeconds_, spreadSeconds_);
    return std::max(0.05, lapSeconds_ + spread(random_));
}

std::optional<SimCrossing> SimTrack::nextDue(double now) {
    const auto next = std::min_element(cars_.begin(), cars_.end(), [](const Car& a, const Car& b) {
        return a.nextPass < b.nextPass;
    });
    if (next == cars_.end() || next->nextPass > now) return std::nullopt;
    const SimCrossing crossing{next->number, next->nextPass};
    next->nextPass += lapTime();
    return crossing;
}

} // namespace vexa::sim
