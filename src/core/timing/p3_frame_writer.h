#pragma once

#include "timing/p3_frame.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// Builds one P3 record: fields are added in order, then `frame` gives the bytes for the wire with
// the header, the length, the CRC and the escapes in place. Only 0x8D, 0x8E and 0x8F are escaped,
// as decoders do.
class P3FrameWriter {
  public:
    explicit P3FrameWriter(P3Tor tor) : tor_(tor) {}

    P3FrameWriter& u8(uint8_t tag, uint8_t value) { return number(tag, value, 1); }
    P3FrameWriter& u16(uint8_t tag, uint16_t value) { return number(tag, value, 2); }
    P3FrameWriter& u32(uint8_t tag, uint32_t value) { return number(tag, value, 4); }
    P3FrameWriter& u64(uint8_t tag, uint64_t value) { return number(tag, value, 8); }
    // Text of at most 255 bytes, cut there.
    P3FrameWriter& text(uint8_t tag, std::string_view value);
    // A field without a value: in a request, "tell me this".
    P3FrameWriter& empty(uint8_t tag);

    // The escaped frame, SOR to EOR. `version` is the header's version byte.
    std::string frame(uint8_t version = P3FrameVersion) const;

  private:
    P3FrameWriter& number(uint8_t tag, uint64_t value, int size);

    P3Tor tor_;
    std::vector<uint8_t> body_;
};

// Escapes an unescaped frame for the wire: every byte between the first and the last that is
// 0x8D, 0x8E or 0x8F becomes 0x8D and the byte plus 0x20.
std::string escapeP3Frame(std::span<const uint8_t> frame);

} // namespace vexa
