#pragma once

#include <string>

namespace vexa {

// Whole seconds as hh:mm:ss, each field at least two digits (hours grow beyond two when needed);
// a negative value gives 00:00:00.
std::string FormatClock(long long seconds);

// The countdown between races on the clock labels: "PRE RACE COUNTDOWN: " and FormatClock(s).
std::string countdownText(long long seconds);

// The random start delay of a mass start on the clock labels, as the longest it can be in whole
// seconds ("Start within 3 s"): the drivers know the start is near, not its moment.
std::string startDelayText(int longestMs);

// Seconds with 2 decimals, right-aligned in 6 characters (" 12.50").
std::string FormatSeconds(double t);
// The same, appended to `out`.
void appendSeconds(std::string& out, double t);

// A gap in laps: empty for 0, "1 Lap" / "-1 Lap", otherwise the number and " Laps".
std::string FormatLapGap(double g);

// Miles per hour for n laps of d miles in t seconds; "0.00" when any of them is 0.
std::string FormatSpeed(double n, double t, double d);

// The longest time the screens, reports and pages show, in seconds (about 115 days): far more
// than a race, or a meeting's rounds added up, can hold. A longer stored time can only come
// from a damaged file and is shown as no time.
inline constexpr double LongestTimeShown = 1e7;

// "NO TIME" for t <= 0 and for times beyond LongestTimeShown; otherwise [h"h"]m"m"ss.sss, minutes
// two digits after hours and seconds two digits before the point (65.432 gives 1m05.432, 3725.5
// gives 1h02m05.500).
std::string FormatLapTime(double t);

// A number in its shortest general form (2, -2, 1.5).
std::string FormatGeneral(double v);

} // namespace vexa
