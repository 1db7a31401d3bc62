#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vexa {

// A P3 record on the wire: SOR, a 10-byte header, tag-length-value fields, EOR. Between SOR and
// EOR every byte 0x8D, 0x8E or 0x8F goes out as 0x8D followed by the byte plus 0x20, the header
// and its CRC included, so SOR and EOR never appear inside a frame.
//
// Header of the unescaped frame: version (1 byte), length of the whole unescaped frame SOR to EOR
// (u16), CRC (u16, see p3_crc.h), two bytes always zero in decoder records, the record type (u16).
// Every integer, in the header and in the fields, is little-endian.
namespace P3Byte {
inline constexpr uint8_t Start = 0x8E;  // SOR
inline constexpr uint8_t End = 0x8F;    // EOR
inline constexpr uint8_t Escape = 0x8D; // followed by the byte plus 0x20
inline constexpr uint8_t EscapeShift = 0x20;
} // namespace P3Byte

// Header plus EOR with no fields.
inline constexpr size_t P3MinFrameLength = 11;
inline constexpr size_t P3HeaderLength = 10;
inline constexpr uint8_t P3FrameVersion = 2;

// The type of a record (TOR). Other values occur and are passed on as they are.
enum class P3Tor : uint16_t {
    Reset = 0x0000,
    Passing = 0x0001,
    Status = 0x0002,
    Version = 0x0003,
    Resend = 0x0004,
    ClearPassing = 0x0005,
    ServerSettings = 0x0013,
    Session = 0x0015,
    NetworkSettings = 0x0016,
    Watchdog = 0x0018,
    Ping = 0x0020,
    GetTime = 0x0024,
    GeneralSettings = 0x0028,
    Signals = 0x002D,
    LoopTrigger = 0x002F,
    GpsInfo = 0x0030,
    FirstContact = 0x0045,
    Timeline = 0x004A,
    Error = 0xFFFF,
};

// The name of a record type for the decoder monitor ("PASSING", "STATUS", ...); "TOR 0x0042" for
// a type without a name.
std::string p3RecordName(P3Tor tor);

// One field of a record. `value` points into the frame it was read from.
struct P3Field {
    uint8_t tag = 0;
    std::span<const uint8_t> value;
};

// A checked frame: its length, CRC and fields are sound. The spans point into the reader's buffer
// and are valid only while the frame is being handled.
struct P3Frame {
    uint8_t version = 0;
    P3Tor tor = P3Tor::Reset;
    std::span<const uint8_t> body;  // the fields
    std::span<const uint8_t> bytes; // the whole unescaped frame, SOR to EOR
};

// Walks the fields of a record body in order.
class P3FieldCursor {
  public:
    explicit P3FieldCursor(std::span<const uint8_t> body) : body_(body) {}
    // The next field; false at the end of the body or where a field runs past it.
    bool next(P3Field& field);
    // True when the body ended in the middle of a field.
    bool broken() const { return broken_; }

  private:
    std::span<const uint8_t> body_;
    size_t at_ = 0;
    bool broken_ = false;
};

// Why a complete frame was dropped.
enum class P3FrameFault {
    None,
    BadLength, // shorter than a header, or its length field disagrees with its size
    BadCrc,
    BadFields, // a field runs past the end of the record
};

// Checks an unescaped frame from SOR to EOR. The length field must equal the frame's size; 0 is
// taken as "not stated", as some clients send it in their requests (the CRC still vouches for the
// frame). The version byte is not checked: decoders send 2, older ones 1, clients 0.
P3FrameFault checkP3Frame(std::span<const uint8_t> frame);

// The header and body of a frame that passed checkP3Frame.
P3Frame p3FrameView(std::span<const uint8_t> frame);

// A little-endian unsigned integer of 1 to 8 bytes; nothing for an empty or longer value.
std::optional<uint64_t> p3Unsigned(std::span<const uint8_t> value);

} // namespace vexa
