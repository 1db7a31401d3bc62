#include "scoring/event_statistics.h"

#include "scoring/participants.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace vexa {

namespace {
constexpr double MilesPerMetre = 0.00062137119;
constexpr double MetresPerFoot = 0.3048;
constexpr double KmPerMile = 1.609344;
} // namespace

std::optional<double> trackLengthMiles(const ProgSettings& settings) {
    const std::string& text = settings.trackLength;
    double value = 0.0;
    if (!text.empty()) {
        const char* begin = text.c_str();
        char* end = nullptr;
        value = std::strtod(begin, &end);
        if (end == begin || *end != '\0' || !std::isfinite(value)) return std::nullopt;
    }
    const double metres = settings.trackMeasureFeet ? value * MetresPerFoot : value;
    return metres * MilesPerMetre;
}

std::string trackLengthNotANumberMessage(const std::string& text) {
    return "'" + text + "' is not a valid number";
}

Outcome eventStatistics(const EventData& event, const ProgSettings& settings,
                        EventStatistics& out) {
    const auto miles = trackLengthMiles(settings);
    if (!miles) return Outcome::failure(trackLengthNotANumberMessage(settings.trackLength));

    std::array<ClassStatistics, MaxClasses> rows{};
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = event.cpts[id];
        const int cls = classIndex(c);
        if (cls < 0 || !c.inUse()) continue;
        ClassStatistics& row = rows[cls];
        ++row.entered;
        if (c.isEnabled()) ++row.enabled;
        for (int r = 1; r <= MaxRounds; ++r)
            if (event.cptres[id].laps[r] > 0) row.laps += event.cptres[id].laps[r];
    }
    EventStatistics stats;
    stats.trackMiles = *miles;
    for (int cls = 0; cls < MaxClasses; ++cls) {
        ClassStatistics row = rows[cls];
        if (row.entered == 0) continue;
        row.classno = cls;
        row.className = settings.classSetup(cls).name;
        row.miles = *miles * static_cast<double>(row.laps);
        row.km = *miles * KmPerMile * static_cast<double>(row.laps);
        stats.classes.push_back(std::move(row));
    }
    out = std::move(stats);
    return Outcome::success();
}

} // namespace vexa
