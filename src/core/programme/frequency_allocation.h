#pragma once

#include "model/event_data.h"

#include <string>

namespace vexa {

inline constexpr const char* FreqSortQuestion =
    "Are you sure you want to do this it may change some frequencies";

// The conflict label of the frequency allocation window for one competitor and one table:
// "Conflict" when another slot of the race that holds him (the last one, race by race) has a
// driver who needs a frequency and has the same one for that table; otherwise empty. Empty too
// when his frequency for that table is 0 or he is in no race.
std::string conflictLabel(const EventData& event, int id, bool heatsTable);

// One pass of the automatic allocation over a table: race by race, slot 20 down to 1, a driver
// without a frequency for the table, or with one that another driver of the race also has, gets
// the first frequency of his owned list that nobody else in the race has. When all are taken he
// keeps his frequency (a driver without one gets his first owned frequency); a driver who owns
// none keeps what he has. Changes count at once for the drivers after him. Drivers who need no
// frequency are allocated like the others.
void allocateFrequenciesOnce(EventData& event, bool heatsTable);

// "Freq Sort ": the pass twice (after FreqSortQuestion is answered Yes).
void freqSort(EventData& event, bool heatsTable);

} // namespace vexa
