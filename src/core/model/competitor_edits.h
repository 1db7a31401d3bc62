#pragma once

#include "model/event_data.h"

#include <string>

namespace vexa {

inline constexpr const char* NoFreeSpaceMessage = "No free spaces can be found";
inline constexpr const char* EnableAllQuestion = "Are you sure you want to enable all driver ?";
inline constexpr const char* DisableAllQuestion = "Are you sure you want to disable all driver ?";

// "Are you sure you want to delete competitor 12 ?"
std::string deleteCompetitorQuestion(int id);

// Deletes a competitor from the event: his entry is emptied (enabled again, no transponder) but
// keeps its picture and its no-frequency-needed flag; the last cell naming him in the heats table
// and the last in the finals table are emptied, other cells stay; his rounds 1..20 go back to no
// result. An Id outside 1..300 changes nothing.
void deleteCompetitor(EventData& event, int id);

// "Enable All Drivers" and "Disable All Drivers": every entry 1..300, free ones included.
void setAllEnabled(EventData& event, bool enabled);

} // namespace vexa
