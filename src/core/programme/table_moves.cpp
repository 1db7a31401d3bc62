#include "programme/table_moves.h"

#include "model/table_queries.h"

#include <vector>

namespace vexa {

namespace {

bool validRace(int race) {
    return race >= 1 && race <= MaxRaces;
}

// The non-empty slot texts of a race in slot order; the slots are emptied.
std::vector<std::string> takeDrivers(RacingTable& table, int race) {
    std::vector<std::string> taken;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (table.slotText(race, slot).empty()) continue;
        taken.push_back(table.slotText(race, slot));
        table.setSlotText(race, slot, {});
    }
    return taken;
}

bool packable(const RacingTable& table, int race) {
    if (!validRace(race)) return false;
    const int n = driversInRace(table, race);
    return n >= 1 && n < MaxSlots;
}

} // namespace

bool packUp(RacingTable& table, int race) {
    if (!packable(table, race)) return false;
    const auto taken = takeDrivers(table, race);
    for (size_t i = 0; i < taken.size(); ++i)
        table.setSlotText(race, static_cast<int>(i) + 1, taken[i]);
    return true;
}

bool packDown(RacingTable& table, int race) {
    if (!packable(table, race)) return false;
    const auto taken = takeDrivers(table, race);
    const int first = MaxSlots - static_cast<int>(taken.size()) + 1;
    for (size_t i = 0; i < taken.size(); ++i)
        table.setSlotText(race, first + static_cast<int>(i), taken[i]);
    return true;
}

void swapSlotHalves(RacingTable& table, int race) {
    if (!validRace(race)) return;
    constexpr int half = MaxSlots / 2;
    for (int slot = 1; slot <= half; ++slot) {
        std::string low = table.slotText(race, slot);
        table.setSlotText(race, slot, table.slotText(race, slot + half));
        table.setSlotText(race, slot + half, std::move(low));
    }
}

void deleteRace(RacingTable& table, int race) {
    if (!validRace(race)) return;
    for (int row = RacingTable::InfoRow; row <= RacingTable::LastRow; ++row)
        table.setCell(race + 1, row, {});
}

void moveRace(RacingTable& table, int from, int to) {
    if (!validRace(from) || !validRace(to) || from == to) return;
    const int step = from < to ? 1 : -1;
    for (int row = RacingTable::InfoRow; row <= RacingTable::LastRow; ++row) {
        std::string moving = table.cell(from + 1, row);
        for (int race = from; race != to; race += step)
            table.setCell(race + 1, row, table.cell(race + step + 1, row));
        table.setCell(to + 1, row, std::move(moving));
    }
}

} // namespace vexa
