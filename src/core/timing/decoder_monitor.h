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

// The memo line of the "Information" button when the equipment is not AMBrc.
inline constexpr const char* System20InformationLine = "System 20 Decoder";

} // namespace vexa
