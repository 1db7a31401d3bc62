#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

struct EventData;

// What the transponder test shows for one record: a new text for its status label, lines for its
// memo, and the competitor a passing has just booked in (his Id is spoken, then "bookedin.wav").
struct MonitorOutput {
    std::optional<std::string> label;
    std::vector<std::string> lines;
    int bookedInId = 0;
};

// The equipment whose records the monitor reads.
enum class MonitorDialect { System20, Ex20, Italian, Ambrc };

// Shows one record. An AMBrc passing of a disabled competitor's transponder books him in: his
// enabled flag becomes 'Y'. Nothing else is changed and nothing is counted.
MonitorOutput monitorRecord(std::string_view record, MonitorDialect dialect, EventData& event);

// The start of a passing's memo line: the name of the first competitor (Ids 1 to 300) whose
// transponder number written in decimal is `transponder`, and a blank, at most 25 characters;
// empty when none has it. A disabled competitor found so is booked in (`out.bookedInId`).
std::string bookInByTransponder(std::string_view transponder, EventData& event, MonitorOutput& out);

// The memo line of the "Information" button when the equipment is not AMBrc.
inline constexpr const char* System20InformationLine = "System 20 Decoder";

} // namespace vexa
