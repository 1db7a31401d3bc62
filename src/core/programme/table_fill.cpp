#include "programme/table_fill.h"

#include "model/table_queries.h"
#include "scoring/participants.h"

namespace vexa {

bool eligibleForFill(const EventData& event, int id, bool includeNoScore) {
    if (!validId(id)) return false;
    const comp_ent& c = event.cpts[id];
    return c.inUse() && c.isEnabled() &&
           (includeNoScore || BestRound(event, id, 1, MaxRounds) != 0);
}

FillResult FillTableFromOrder(RacingTable& table, OrderList list, const EventData& event,
                              const PerRace& perrace, bool includeNoScore) {
    FillResult result;
    // The class of each listed entry that is to be placed, or -1.
    std::array<int, MaxCompetitors> classOf{};
    std::array<bool, MaxClasses> needed{};
    for (size_t i = 0; i < list.size(); ++i) {
        classOf[i] = -1;
        if (!eligibleForFill(event, list[i], includeNoScore)) continue;
        classOf[i] = classIndex(event.cpts[list[i]]);
        if (classOf[i] >= 0) needed[classOf[i]] = true;
    }
    for (int cls = 0; cls < MaxClasses; ++cls) {
        if (needed[cls] && (perrace[cls] < 1 || perrace[cls] > MaxSlots)) {
            result.message = "The number of drivers per race of class " + std::to_string(cls) +
                             " must be from 1 to " + std::to_string(MaxSlots);
            return result;
        }
    }

    for (int race = 1; race <= MaxRaces; ++race)
        for (int row = RacingTable::InfoRow; row <= RacingTable::LastRow; ++row)
            table.setCell(race + 1, row, {});

    int slot = 1;
    int column = RacingTable::LastColumn;
    for (int cls = MaxClasses - 1; cls >= 0; --cls) {
        if (!needed[cls]) continue; // a class with nobody to place leaves the layout as it is
        char letter = 'A';
        if (slot > 1) {
            slot = 1;
            --column;
        }
        for (size_t i = 0; i < list.size(); ++i) {
            if (classOf[i] != cls || list[i] == 0) continue;
            const int id = list[i];
            list[i] = 0;
            if (column < RacingTable::FirstColumn) {
                result.leftOut.push_back(id);
                continue;
            }
            if (slot == 1) {
                table.setCell(column, RacingTable::InfoRow, std::to_string(cls) + "/" + letter);
                ++letter;
            }
            table.setCell(column, slot + 1, std::to_string(id));
            if (slot == perrace[cls]) {
                slot = 1;
                --column;
            } else {
                ++slot;
            }
        }
    }
    CompactTable(table);

    result.filled = true;
    if (!result.leftOut.empty()) {
        result.message = "The table holds only " + std::to_string(MaxRaces) +
                         " races. These drivers were left out:";
        for (size_t i = 0; i < result.leftOut.size(); ++i) {
            const int id = result.leftOut[i];
            result.message += (i ? ", (" : " (") + std::to_string(id) + ") " + event.cpts[id].name;
        }
    }
    return result;
}

void CompactTable(RacingTable& table) {
    for (int column = RacingTable::FirstColumn; column < RacingTable::LastColumn; ++column) {
        if (driversInRace(table, column - 1) > 0) continue;
        for (int from = column + 1; from <= RacingTable::LastColumn; ++from) {
            if (driversInRace(table, from - 1) == 0) continue;
            for (int row = RacingTable::InfoRow; row <= RacingTable::LastRow; ++row) {
                table.setCell(column, row, table.cell(from, row));
                table.setCell(from, row, {});
            }
            break;
        }
    }
}

} // namespace vexa
