#include "model/racing_table.h"

namespace vexa {

namespace {
const std::string emptyText;
}

const std::string& RacingTable::cell(int column, int row) const {
    if (!storedCell(column, row)) return emptyText;
    return cells_[column][row];
}

void RacingTable::setCell(int column, int row, std::string text) {
    if (storedCell(column, row)) cells_[column][row] = std::move(text);
}

int RacingTable::idAt(int race, int slot) const {
    if (race < 1 || race > MaxRaces || slot < 1 || slot > MaxSlots) return 0;
    return cellId(slotText(race, slot));
}

void RacingTable::clear() {
    for (auto& column : cells_)
        for (auto& text : column) text.clear();
}

int cellId(const std::string& text) {
    if (text.empty() || text.size() > 3) return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return validId(value) ? value : 0;
}

} // namespace vexa
