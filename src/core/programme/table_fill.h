#pragma once

#include "model/event_data.h"
#include "scoring/order_list.h"

#include <array>
#include <string>
#include <vector>

namespace vexa {

// Drivers per race for each class 0..30 ("#Per Race").
using PerRace = std::array<int, MaxClasses>;
inline constexpr int DefaultPerRace = 10;

// Whether a competitor goes into a re-seeded table: in use, enabled, and either the
// include-no-score option is on or he has a round of 1..20 with at least one lap.
bool eligibleForFill(const EventData& event, int id, bool includeNoScore);

struct FillResult {
    bool filled = false;      // false: refused, and the table is as it was
    std::vector<int> leftOut; // eligible drivers who found no race because the table was full
    std::string message;      // for the operator; empty when every driver went in
};

// Rebuilds a table from an order: every race is emptied, then class by class from class 30 down
// to class 0 the eligible drivers of the class are cut, in list order, into races of
// perrace[class] drivers. Each class starts a new race; its races are lettered A, B, C ... (A
// holding the best) in the information row as "class/letter" and laid out from the right. Last,
// CompactTable moves the races to the left, so that each class's A race runs last.
//
// A class to be filled whose drivers per race is outside 1..20 is refused with a message and the
// table is left alone. When the 50 races are full, the drivers still to come are left out and the
// message names them.
FillResult FillTableFromOrder(RacingTable& table, OrderList list, const EventData& event,
                              const PerRace& perrace, bool includeNoScore);

// Closes up empty race columns: each race with drivers moves left into the first empty column,
// information text included, and the races keep their order.
void CompactTable(RacingTable& table);

} // namespace vexa
