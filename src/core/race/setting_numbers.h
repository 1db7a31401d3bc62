#pragma once

#include <string>

namespace vexa {

// A whole number typed in a settings field (surrounding blanks allowed), or `fallback` when the
// text is not one.
int settingNumber(const std::string& text, int fallback);

} // namespace vexa
