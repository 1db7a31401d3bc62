#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa::cli {

// Text as a terminal gets it: control characters (below 32, and 127) as \xHH, so that nothing
// read from a script, a file or a decoder can move the cursor or change the terminal. Other
// bytes stay as they are.
std::string escapedControls(std::string_view text);

// The program's text (Latin-1, as the files hold it) for a terminal: control characters as
// above, the control characters 128..159 as \xHH too, and the characters from 160 up as UTF-8.
std::string terminalText(std::string_view latin1);

// A command-line word (UTF-8, as every shell passes it) as the program's Latin-1 text; nothing
// when it is not UTF-8 or holds a character beyond Latin-1, which no event file can hold.
std::optional<std::string> latin1FromUtf8(std::string_view utf8);

} // namespace vexa::cli
