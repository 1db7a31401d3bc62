#include "live/live_places.h"

#include <map>

namespace vexa {

std::optional<size_t> placeToFree(const std::vector<LivePlace>& places, std::string_view address) {
    std::map<std::string_view, size_t> held;
    for (const LivePlace& p : places) ++held[p.address];
    const auto heldBy = [&](std::string_view a) {
        const auto it = held.find(a);
        return it == held.end() ? size_t{0} : it->second;
    };
    const size_t own = heldBy(address);

    // Of two candidates, the one of the address holding more places; between equals, the one
    // that has waited (or been open) longer.
    const auto better = [&](size_t candidate, const std::optional<size_t>& best) {
        if (!best) return true;
        const size_t a = heldBy(places[candidate].address);
        const size_t b = heldBy(places[*best].address);
        if (a != b) return a > b;
        return places[candidate].since < places[*best].since;
    };
    std::optional<size_t> waiting;
    std::optional<size_t> oldest;
    for (size_t i = 0; i < places.size(); ++i) {
        const size_t count = heldBy(places[i].address);
        if (places[i].waiting && count >= own && better(i, waiting)) waiting = i;
        if (count > own + 1 && better(i, oldest)) oldest = i;
    }
    return waiting ? waiting : oldest;
}

} // namespace vexa
