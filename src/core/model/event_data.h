#pragma once

#include "model/competitor.h"
#include "model/limits.h"
#include "model/racing_table.h"

#include <array>
#include <string>

namespace vexa {

// The frequency names, index 1..200; index 0 is "none" and always empty.
struct FreqNames {
    std::array<std::string, MaxFrequencies + 1> names{};

    // The name of index f, or empty when f is 0 or outside 1..200.
    const std::string& name(int f) const;
    void clear();
};

// The competitor table, the round results and both racing tables of the open event.
struct EventData {
    std::array<comp_ent, MaxCompetitors + 1> cpts{}; // index 1..300; 0 unused
    std::array<res_ent, MaxCompetitors + 1> cptres{};
    RacingTable heats;
    RacingTable finals;

    EventData() { initialise(); }

    // Every entry to the defaults of a fresh entry, every result to "no result".
    void initialise();
    void clearResults();

    comp_ent& competitor(int id) { return cpts.at(static_cast<size_t>(id)); }
    const comp_ent& competitor(int id) const { return cpts.at(static_cast<size_t>(id)); }

    // Stores a round result, rounding the time to the precision the files keep.
    void storeResult(int id, int round, int laps, double time);

    // The first Id whose entry is free, or 0 when all 300 are in use.
    int firstFreeId() const;
};

// The round within first..last (1..20) holding the competitor's best result, or 0 when no round
// in the range has at least one lap. More laps win, then a strictly smaller time; the earliest of
// equal rounds is kept.
int BestRound(const EventData& event, int id, int first, int last);

// The frequency text shown for a competitor: "Not Req/2.4Ghz" when he needs none, else the name
// of his heat frequency (racing from heats) or final frequency (racing from finals), or
// `whenNone` when that index names no frequency.
std::string competitorFreqText(const comp_ent& c, const FreqNames& freqnames, bool racingHeats,
                               const std::string& whenNone = {});

} // namespace vexa
