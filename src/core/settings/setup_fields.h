#pragma once

#include "model/limits.h"
#include "model/outcome.h"

#include <array>
#include <cstdint>
#include <string>

namespace vexa {

// The whole number a field of the settings window holds; an empty field counts `empty`. A text
// that is no whole number fails with a message naming the field.
Outcome fieldWholeNumber(const std::string& text, int32_t empty, const std::string& field,
                         int32_t& value);

// The cells of the transponder grid, rows 1..20 (element 0 unused).
using TransponderCells = std::array<std::string, MaxSlots + 1>;

// What a transponder cell shows: nothing for -1 (no transponder), else the number.
std::string transponderCellText(int32_t transponder);
// The numbers of set `set` from its cells (an empty cell is -1); nothing is changed when a cell
// holds no whole number.
Outcome storeTransponderCells(const TransponderCells& cells, int set,
                              std::array<int32_t, MaxSlots + 1>& transponders);

// The caption of the class details group: "Race Details (Class:3)".
std::string classDetailsCaption(int classno);

} // namespace vexa
