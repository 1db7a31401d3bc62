#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace vexa {

// Commands to an AMBrc decoder. A command text is "?" followed by items each ending in ",":
// the decoder identity, 0, the command number, then its parameters. On the wire a command is
// SOH, the text, CR, LF; the empty command is SOH, CR, LF.
namespace AmbrcCommand {
inline constexpr int SetStopBits = 37;  // parameter 0 after identification over a serial port
inline constexpr int ResetCounter = 11; // "Reset Counter" and the transponder test
inline constexpr int Information = 33;  // asks for the decoder information reply
inline constexpr int StartA = 24;       // switching on: 24 (1), 9 (0), 14 (1, 0)
inline constexpr int StartB = 9;
inline constexpr int StartStop = 14; // 14 (1, 0) on, 14 (0, 1) off
} // namespace AmbrcCommand

std::string ambrcCommandText(int32_t decoderId, int command, std::initializer_list<int> parameters);

// SOH + text + CR + LF.
std::string frameDecoderCommand(const std::string& text);

// The frame SOH, CR, LF.
std::string emptyDecoderCommand();

} // namespace vexa
