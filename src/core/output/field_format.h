#pragma once

#include <string>

namespace vexa {

// Fits a text into a column of w characters: a text of at least w characters is cut to its first
// w; a shorter one is preceded by blanks (right-aligned).
std::string PadLeft(const std::string& text, int w);
std::string PadLeft(long long number, int w);

// The same, left-aligned: a shorter text is followed by blanks.
std::string PadRight(const std::string& text, int w);
std::string PadRight(long long number, int w);

// x rounded to d decimals, preceded by blanks up to at least w characters; never cut.
std::string fixed(double x, int w, int d);

} // namespace vexa
