#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace vexa {

// A record as it stands in a line from a decoder link. A record starts at its start byte (SOH for
// AMBrc, "@" for System 20, EX20 and the Italian system) wherever that stands in the line: what
// comes before it is noise (a glitch on a serial line, the tail of a garbage burst). When the noise
// holds start bytes too, the record is the one that reaches the end of the line, where its
// carriage return left it: the last start byte that leaves at least `shortest` bytes (a start byte
// may stand inside a record of the Italian system), else the last start byte at all.
struct RecordInLine {
    std::string_view record; // empty when the line holds no start byte
    size_t dropped = 0;      // the bytes before it
};
RecordInLine findRecordInLine(std::string_view line, char startByte, size_t shortest);

inline constexpr const char* DecoderNoiseNotice =
    "Noise from the decoder: bytes that belong to no record were dropped, the records are counted";

// Tallies the bytes a decoder link dropped as noise. A run of noise is told once, through `tell`,
// as it begins; it lasts until a record arrives with nothing dropped before it, so a line that
// puts a glitch before every record is told of once, and each burst on a line clean between them
// once. The counts stay for whoever wants to know how much was dropped.
class NoiseTally {
  public:
    explicit NoiseTally(std::function<void()> tell) : tell_(std::move(tell)) {}

    void dropped(size_t bytes);
    // A record arrived with nothing dropped before it.
    void clean() { inRun_ = false; }

    size_t droppedBytes() const { return droppedBytes_; }
    size_t runs() const { return runs_; }

  private:
    std::function<void()> tell_;
    size_t droppedBytes_ = 0;
    size_t runs_ = 0;
    bool inRun_ = false;
};

} // namespace vexa
