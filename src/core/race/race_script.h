#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// One line of a race script: something that arrives at a moment, in milliseconds since the race
// screen was opened.
struct ScriptEvent {
    enum class Kind { Key, Decoder, Action };
    int64_t ms = 0;
    Kind kind = Kind::Key;
    std::string data;   // the keys pressed, or the decoder's bytes
    std::string action; // for actions: start, pause, resume, reset, plus1, plus5, readorder,
                        // keys, restart, endrace, penalty, reprint, equipment
    int argument = 0;   // the car number of a penalty; the counting device of an equipment record
    int32_t decoderId = 0; // the AMBrc decoder's id of an equipment record
    int line = 0;          // line number in the script, for messages
};

struct RaceScript {
    std::vector<ScriptEvent> events; // in time order; events of one moment in script order
    bool hasDecoderBytes() const;
};

struct ParsedScript {
    RaceScript script;
    std::string error; // empty when the whole script was read
};

// Whether a word names one of the race director's actions a script can give.
bool isRaceAction(const std::string& word);

// Reads a script: one event per line, "<seconds> <what> [...]", blank lines and lines starting
// with # ignored. Seconds are decimal with at most 3 decimals. <what> is "key" followed by the
// key characters, "decoder" followed by hexadecimal bytes, or an action name with, for
// "penalty", the car number. "equipment DEVICE ID" is the counting equipment a race was counted
// with (the setting's device number 0 to 3 and the AMBrc decoder's id), as the program's race
// journals keep it.
ParsedScript parseRaceScript(const std::string& text);

} // namespace vexa
