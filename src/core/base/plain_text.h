#pragma once

#include <string>

namespace vexa {

// A space, tab or line end.
inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text without blanks at either end.
std::string trimBlanks(const std::string& text);
// Equal byte for byte, letters compared upper-cased.
bool equalsNoCase(const std::string& a, const std::string& b);

} // namespace vexa
