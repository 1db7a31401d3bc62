#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexa {

// The fields of the scoreboard feed's records, as timing displays read them.

// A text field in double quotes, in plain ASCII: a Latin-1 letter becomes its letter without the
// accent ("Jürgen" is "Jurgen", "ß" is "ss"), a double quote becomes a single one, a control
// character a blank and any other character '?'.
std::string rmonitorText(std::string_view latin1);
// A duration or time of day in milliseconds as "HH:MM:SS.mmm" (hours run past 99 when they
// must; a negative time is 0).
std::string rmonitorTime(int64_t ms);
// Whole seconds as "HH:MM:SS".
std::string rmonitorClock(int64_t seconds);
// A day as "11 Dec 26" (month 1..12).
std::string rmonitorDate(int year, int month, int day);
// Seconds as the race engine holds them, to the nearest millisecond.
int64_t rmonitorMs(double seconds);

} // namespace vexa
