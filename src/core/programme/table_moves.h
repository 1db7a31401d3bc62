#pragma once

#include "model/racing_table.h"

namespace vexa {

// The move buttons and the delete command of the tables screen, on one race of a table.

inline constexpr const char* DeleteRaceQuestion =
    " Are you sure you want to delete all the drivers in this race ?";

// "/\ &Up": the drivers move to the lowest slots, keeping their order. A race that is empty or
// full is left as it is. Returns whether anything moved.
bool packUp(RacingTable& table, int race);

// "\/ &Down": the drivers move to the highest slots (the last driver in slot 20), keeping their
// order. A race that is empty or full is left as it is. Returns whether anything moved.
bool packDown(RacingTable& table, int race);

// "\/ &Down" with Shift: slots 1..10 change places with slots 11..20.
void swapSlotHalves(RacingTable& table, int race);

// Empties the information text and every slot of a race (after DeleteRaceQuestion is answered
// Yes).
void deleteRace(RacingTable& table, int race);

// A race column dragged from race `from` to the place of race `to`: the races between close up
// and every race takes the number of its new place. Races outside 1..50 move nothing.
void moveRace(RacingTable& table, int from, int to);

} // namespace vexa
