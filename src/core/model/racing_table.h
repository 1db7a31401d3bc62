#pragma once

#include "model/limits.h"

#include <array>
#include <string>

namespace vexa {

// A heats or finals table: 50 races of 20 slots, each race with an information text
// (for example "3/B"). Cells hold text exactly as the grid shows it; a slot normally holds a
// competitor's Id as decimal text and is empty when free. Grid column c (2..51) is race c - 1,
// grid row 1 is the information text and rows 2..21 are slots 1..20.
class RacingTable {
  public:
    static constexpr int FirstColumn = 2;
    static constexpr int LastColumn = MaxRaces + 1;
    static constexpr int InfoRow = 1;
    static constexpr int LastRow = MaxSlots + 1;

    // Cell by grid column 2..51 and row 1..21; out-of-range addresses read as empty and
    // writes to them are ignored.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);
    static bool storedCell(int column, int row) {
        return column >= FirstColumn && column <= LastColumn && row >= InfoRow && row <= LastRow;
    }

    // By race 1..50 and slot 1..20.
    const std::string& slotText(int race, int slot) const { return cell(race + 1, slot + 1); }
    void setSlotText(int race, int slot, std::string text) {
        setCell(race + 1, slot + 1, std::move(text));
    }
    const std::string& info(int race) const { return cell(race + 1, InfoRow); }
    void setInfo(int race, std::string text) { setCell(race + 1, InfoRow, std::move(text)); }

    // The Id in a slot, or 0 when the cell is empty or does not hold an Id 1..300.
    int idAt(int race, int slot) const;

    void clear();

  private:
    std::array<std::array<std::string, LastRow + 1>, LastColumn + 1> cells_{};
};

// The Id a cell text names, or 0 when it is empty or not a whole number 1..300.
int cellId(const std::string& text);

} // namespace vexa
