#pragma once

#include "files/drivers_database.h"
#include "model/event_data.h"
#include "model/outcome.h"

#include <functional>
#include <string>

namespace vexa {

inline constexpr const char* SameDriverInEventQuestion =
    "A driver with this name and class is already in the event, continue ?";
inline constexpr const char* NoDatabaseOpenMessage = "No drivers database is open";

// Asks the operator a Yes/No question; true is Yes.
using ConfirmQuestion = std::function<bool(const std::string& question)>;

// "Transfer Driver to event": the record goes into the first free competitor entry. When a
// competitor with exactly the same name and class is already in the event, `confirm` is asked
// SameDriverInEventQuestion first and No stops. The entry gets the name, the ability (held to
// 0..100), the membership number cut to 6 characters, the class (0 when it is no class 0..30),
// enabled, the heat frequency from the preferred one (0 when it names no frequency), the owned
// frequencies and the no-frequency-needed flag, the transponder and the picture; the final
// frequency stays. Returns the Id filled, or 0 when nothing happened (no free entry, a record
// without a name, or No). The caller then writes the competitors file.
int transferToEvent(const driver_ent& record, EventData& event, const ConfirmQuestion& confirm);

// "Copy to Database": a new record from a competitor, with the next free Id, the preferred
// frequency from his heat frequency, no address and zero reserved bytes. Refused when no database
// file is set.
Outcome copyToDatabase(const comp_ent& competitor, DriversDatabase& db);

// "Copy all to Database": every competitor in use, in Id order.
Outcome copyAllToDatabase(const EventData& event, DriversDatabase& db);

} // namespace vexa
