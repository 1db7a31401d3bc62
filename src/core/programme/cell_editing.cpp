#include "programme/cell_editing.h"

#include "model/racing_table.h"

namespace vexa {

bool raceCellAcceptsKey(int row, CellKey key) {
    if (row <= RacingTable::InfoRow) return false;
    return key != CellKey::Other;
}

GridCell cellAfterEnter(GridCell at) {
    const bool slotCell = at.column >= RacingTable::FirstColumn &&
                          at.column <= RacingTable::LastColumn && at.row > RacingTable::InfoRow &&
                          at.row <= RacingTable::LastRow;
    if (!slotCell) return at;
    if (at.row < RacingTable::LastRow) return {at.column, at.row + 1};
    if (at.column == RacingTable::LastColumn) return at;
    return {at.column + 1, RacingTable::InfoRow + 1};
}

} // namespace vexa
