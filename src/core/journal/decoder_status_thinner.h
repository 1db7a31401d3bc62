#pragma once

#include "race/race_script.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// What a race journal keeps of the decoder's bytes: all of them, but of the records that change
// nothing a race counts (a decoder's status: an AMBrc "#" record, a P3 STATUS record, a System
// 20 clock record other than its first) only one each `KeepIntervalMs`. A decoder that floods its
// link with them cannot grow a journal without bound, and a run of the journal counts the race as
// it was counted: every passing and every other record is kept.
//
// Records are judged whole, as the decoder's parsers take them: a line up to its carriage return,
// or a P3 frame from SOR to EOR. Left out is only a record that came whole in one block of bytes,
// so the records around it reach a parser as they came. Thinning bytes already thinned leaves
// them as they are.
class DecoderStatusThinner {
  public:
    static constexpr int64_t KeepIntervalMs = 500;
    // Status records left out since the last one kept that make a flood.
    static constexpr uint64_t FloodCount = 20;

    // The counting device whose bytes come (the settings' number): P3 frames, or lines.
    void countingDevice(int device);
    // The bytes to keep of those arriving at `ms`; empty when none are.
    std::string keep(std::string_view bytes, int64_t ms);

    // Status records left out so far.
    uint64_t leftOut() const { return leftOut_; }
    // Whether more than FloodCount status records came within one KeepIntervalMs.
    bool flooding() const { return flooding_; }

  private:
    bool leaveOut(std::string_view record, int64_t ms);

    bool p3_ = false;
    bool lineStart_ = true;  // lines: the next byte begins a line
    int64_t lastKept_ = -1;  // when the last status record was kept
    uint64_t sinceKept_ = 0; // status records left out since
    uint64_t leftOut_ = 0;
    bool flooding_ = false;
};

// A race script's events as a journal keeps them when they come one after another (decoder bytes
// thinned, starting with the settings' counting device), each with the index of its event in the
// script; events left out whole are not there.
struct JournaledEvents {
    std::vector<ScriptEvent> events;
    std::vector<size_t> scriptIndex;
};
JournaledEvents journaledEvents(const std::vector<ScriptEvent>& script, int countingDevice);

} // namespace vexa
