#pragma once

namespace vexa {

// Typing into the race cells of a racing table (grid columns 2..51, rows 1..21).

// The keys a race cell takes, as the grid reports them.
enum class CellKey { Digit, Backspace, Delete, Enter, Other };

// The information row (row 1) takes no key at all: its text comes only from the sort dialogs and
// the final letter dialog. The slot rows take digits, Backspace, Delete and Enter.
bool raceCellAcceptsKey(int row, CellKey key);

struct GridCell {
    int column = 0;
    int row = 0;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// Where Enter in a slot cell goes: the next slot of the race; from slot 20 to slot 1 of the next
// race; slot 20 of race 50 stays where it is. Cells outside the slot rows stay where they are.
GridCell cellAfterEnter(GridCell at);

} // namespace vexa
