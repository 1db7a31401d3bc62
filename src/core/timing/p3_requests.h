#pragma once

#include <cstdint>
#include <string>

namespace vexa {

// The requests the program sends to a P3 decoder, escaped and with their CRC, ready for the wire.
// A request is a record of the wanted type; the fields it asks for are sent without a value. Every
// request carries version 2 and its true length, as the decoder's own records do.
//
// A decoder sends a STATUS about every `P3StatusIntervalSeconds` without being asked, and a
// PASSING for each crossing. It answers GET_TIME at once, so that request serves as the question
// of the presence check (any good record is an answer) and relates its clock to the computer's.
inline constexpr int P3StatusIntervalSeconds = 5;

// Asks for the decoder's clock (RTC time, flags, UTC time).
std::string p3GetTimeRequest();

// Asks for the decoder's type, description, version, release, registration, build and options.
std::string p3VersionRequest();

// Asks for the stored passings numbered `first` to `last` again.
std::string p3ResendRequest(uint32_t first, uint32_t last);

} // namespace vexa
