#include "output/race_figures.h"

#include "output/field_format.h"

namespace vexa {

std::string averageLapText(const RaceDriver& d) {
    if (d.lapcount <= 0) return {};
    return fixed(d.lastpass / d.lapcount, 3, 3);
}

} // namespace vexa
