#pragma once

#include "model/racing_table.h"

namespace vexa {

// Small questions about a racing table that the windows, the reports and the other programme
// operations ask. Races are 1..50 and slots 1..20; anything outside reads as empty.

// The number of non-empty slot cells of a race (whatever text they hold).
int driversInRace(const RacingTable& table, int race);

// The first slot 1..20 whose cell is not empty, or 0 when the race has no driver.
int firstDriverSlot(const RacingTable& table, int race);

// The Id of the race's first driver: the first slot that holds an Id 1..300, or 0. A cell that
// holds anything else is not a driver, so its entry is never looked at.
int firstDriverId(const RacingTable& table, int race);

// The number of non-empty cells of grid row `row` (0..21) over grid columns 1..51, the slot
// label cell of column 1 included, as the table print counts them.
int slotOccupancy(const RacingTable& table, int row);

// Where a competitor stands in one table; race 0 when he is in none.
struct TablePlace {
    int race = 0;
    int slot = 0;
    bool found() const { return race != 0; }
};

// The competitor's place in the table: when he stands in several cells, the last one race by race.
TablePlace lastPlaceOf(const RacingTable& table, int id);

} // namespace vexa
