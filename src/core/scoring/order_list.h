#pragma once

#include "model/limits.h"

#include <array>

namespace vexa {

// The order a table fill consumes: up to 300 competitor Ids, best first; 0 marks an empty entry.
using OrderList = std::array<int, MaxCompetitors>;

} // namespace vexa
