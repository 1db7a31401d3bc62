#include "model/table_queries.h"

namespace vexa {

int driversInRace(const RacingTable& table, int race) {
    int count = 0;
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (!table.slotText(race, slot).empty()) ++count;
    return count;
}

int firstDriverSlot(const RacingTable& table, int race) {
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (!table.slotText(race, slot).empty()) return slot;
    return 0;
}

int firstDriverId(const RacingTable& table, int race) {
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (const int id = table.idAt(race, slot)) return id;
    return 0;
}

int slotOccupancy(const RacingTable& table, int row) {
    if (row < 0 || row > RacingTable::LastRow) return 0;
    // Row 0 shows the race numbers and leaves column 1 empty; rows 1..21 have a label there.
    if (row == 0) return MaxRaces;
    int count = 1;
    for (int column = RacingTable::FirstColumn; column <= RacingTable::LastColumn; ++column)
        if (!table.cell(column, row).empty()) ++count;
    return count;
}

TablePlace lastPlaceOf(const RacingTable& table, int id) {
    TablePlace place;
    if (!validId(id)) return place;
    for (int race = 1; race <= MaxRaces; ++race)
        for (int slot = 1; slot <= MaxSlots; ++slot)
            if (table.idAt(race, slot) == id) place = {race, slot};
    return place;
}

} // namespace vexa
