#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa {

// Bytes as upper-case hexadecimal pairs separated by single spaces ("01 40 0D"), the form race
// scripts and journals give decoder bytes in.
std::string hexPairs(const std::string& bytes);
// The same, appended to `out`.
void appendHexPairs(std::string& out, const std::string& bytes);

// The value of one hexadecimal digit, or -1.
int hexDigit(char c);

// Hexadecimal pairs separated by blanks (spaces, tabs, line ends) back into bytes; nothing when
// a word is not one pair.
std::optional<std::string> parseHexPairs(std::string_view text);

} // namespace vexa
