#pragma once

#include "model/event_data.h"
#include "scoring/order_list.h"

namespace vexa {

// The orders a table is re-seeded from. Each holds all 300 Ids, in use or not; the table fill
// takes only the eligible ones.

// Highest ability first; equal abilities in ascending Id order.
OrderList AbilitySort(const EventData& event);

// By each competitor's best round over first..last: more laps, then the shorter time, then the
// lower Id. A competitor without a best round counts as 0 laps in 0.0 s.
OrderList FTDSort(const EventData& event, int first, int last);

} // namespace vexa
