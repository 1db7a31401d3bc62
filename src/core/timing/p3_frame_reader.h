#pragma once

#include "timing/p3_frame.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vexa {

// What a P3FrameReader dropped, since construction.
struct P3FrameCounts {
    size_t frames = 0;       // frames handed on
    size_t badLength = 0;    // complete, but too short or of another length than stated
    size_t badCrc = 0;       // complete, but the CRC disagrees
    size_t badFields = 0;    // complete and checked, but a field runs past the end
    size_t broken = 0;       // cut short by a new SOR, a misplaced escape, or longer than the cap
    size_t skippedBytes = 0; // outside any frame: a stream that starts mid-frame, line noise

    size_t dropped() const { return badLength + badCrc + badFields + broken; }
};

// Turns the bytes of a P3 link into checked frames. A frame runs from SOR to EOR; bytes before the
// first SOR (a connection that starts in the middle of a record) are skipped, several frames in
// one block and a frame split over blocks are both whole. Escapes are undone as the bytes arrive
// (0x8D then x gives x - 0x20, which also reads the escapes of 0x8A to 0x8C that some encoders
// write). A frame with a bad length, CRC or field layout is dropped and counted, never handed on.
//
// The buffer is fixed: a frame that grows beyond `MaxFrameLength` unescaped bytes is dropped and
// everything up to the next SOR skipped, so garbage can neither exhaust memory nor pass as a
// record.
class P3FrameReader {
  public:
    static constexpr size_t MaxFrameLength = 1024;

    // Calls `onFrame(const P3Frame&)` for every good frame completed by these bytes, in order.
    template <class OnFrame> void feed(std::string_view bytes, OnFrame&& onFrame) {
        for (char c : bytes) {
            const auto b = static_cast<uint8_t>(c);
            if (inFrame_ && !escaped_ && static_cast<uint8_t>(b - P3Byte::Escape) > 2) {
                append(b);
            } else if (b == P3Byte::Start) {
                if (inFrame_) ++counts_.broken;
                inFrame_ = true;
                escaped_ = false;
                buffer_[0] = b;
                size_ = 1;
            } else if (!inFrame_) {
                ++counts_.skippedBytes;
            } else if (b == P3Byte::End) {
                if (escaped_) {
                    dropBroken();
                    continue;
                }
                buffer_[size_++] = b;
                inFrame_ = false;
                if (const std::optional<P3Frame> frame = finish()) onFrame(*frame);
            } else if (b == P3Byte::Escape) {
                if (escaped_)
                    dropBroken(); // an escape must be followed by an escaped byte
                else
                    escaped_ = true;
            } else {
                escaped_ = false;
                append(static_cast<uint8_t>(b - P3Byte::EscapeShift));
            }
        }
    }

    // Forgets an unfinished frame (the link was closed or opened again).
    void reset() {
        inFrame_ = false;
        escaped_ = false;
        size_ = 0;
    }

    const P3FrameCounts& counts() const { return counts_; }
    // True while a frame has begun and not ended.
    bool midFrame() const { return inFrame_; }

  private:
    // Checks the frame in the buffer; counts it as handed on or dropped.
    std::optional<P3Frame> finish();
    void append(uint8_t b) {
        if (size_ == MaxFrameLength - 1)
            dropBroken(); // the EOR must still fit
        else
            buffer_[size_++] = b;
    }
    void dropBroken() {
        ++counts_.broken;
        reset();
    }

    std::array<uint8_t, MaxFrameLength> buffer_{};
    size_t size_ = 0;
    bool inFrame_ = false;
    bool escaped_ = false;
    P3FrameCounts counts_;
};

} // namespace vexa
