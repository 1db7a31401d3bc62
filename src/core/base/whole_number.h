#pragma once

#include <optional>
#include <string>

namespace vexa {

// A whole number with an optional sign, surrounded by blanks at most; nothing otherwise.
std::optional<int> parseWholeNumber(const std::string& text);
// The same without a range: its size held at `cap` (the sign put on after), so that digits
// beyond the cap cannot overflow.
std::optional<long long> heldWholeNumber(const std::string& text, long long cap);

// A whole number typed in a settings field (surrounding blanks allowed), or `fallback` when the
// text is not one.
int settingNumber(const std::string& text, int fallback);

} // namespace vexa
