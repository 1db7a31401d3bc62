#pragma once

#include "timing/p3_frame.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vexa {

// The fields of the P3 records the program reads and writes. Tags depend on the record type;
// fields are found by tag in any order, and unknown tags are passed over by their length.
// Integer fields are read from whatever size they come in (1 to 8 bytes); a value that does not
// fit its field counts as absent.
namespace P3Tag {
// Every record type.
inline constexpr uint8_t DecoderId = 0x81;
inline constexpr uint8_t ControllerId = 0x83;
inline constexpr uint8_t RequestId = 0x85;
} // namespace P3Tag

namespace P3PassingTag {
inline constexpr uint8_t PassingNumber = 0x01;   // u32, the decoder's running count
inline constexpr uint8_t Transponder = 0x03;     // u32
inline constexpr uint8_t RtcTime = 0x04;         // u64, microseconds on the decoder's clock
inline constexpr uint8_t Strength = 0x05;        // u16
inline constexpr uint8_t Hits = 0x06;            // u16
inline constexpr uint8_t Flags = 0x08;           // u16
inline constexpr uint8_t TransponderCode = 0x0A; // text, e.g. "FL-94890"
inline constexpr uint8_t UtcTime = 0x10;         // u64, microseconds, only with a GPS fix
} // namespace P3PassingTag

namespace P3StatusTag {
inline constexpr uint8_t Noise = 0x01;           // u16
inline constexpr uint8_t Gps = 0x06;             // u8: 0 no fix, 1 locked
inline constexpr uint8_t Temperature = 0x07;     // i16
inline constexpr uint8_t SatellitesInUse = 0x0A; // u8
inline constexpr uint8_t InputVoltage = 0x0C;    // u8
} // namespace P3StatusTag

// Two tag sets are in circulation for VERSION; both are read.
namespace P3VersionTag {
inline constexpr uint8_t DecoderType = 0x01;
inline constexpr uint8_t Description = 0x02;
inline constexpr uint8_t Version = 0x03;
inline constexpr uint8_t Release = 0x04;
inline constexpr uint8_t Registration = 0x08;
inline constexpr uint8_t BuildNumber = 0x0A;
inline constexpr uint8_t Options = 0x0C;
inline constexpr uint8_t AltDecoderId = 0x20; // u64
inline constexpr uint8_t AltDescription = 0x21;
inline constexpr uint8_t AltVersion = 0x22;
inline constexpr uint8_t AltBuild = 0x23;
} // namespace P3VersionTag

namespace P3TimeTag {
inline constexpr uint8_t RtcTime = 0x01; // u64, microseconds on the decoder's clock
inline constexpr uint8_t Flags = 0x04;
inline constexpr uint8_t UtcTime = 0x05;
} // namespace P3TimeTag

namespace P3ResendTag {
inline constexpr uint8_t From = 0x01;  // u32, first passing number
inline constexpr uint8_t Until = 0x02; // u32, last passing number
} // namespace P3ResendTag

namespace P3ErrorTag {
inline constexpr uint8_t Code = 0x01;
inline constexpr uint8_t Description = 0x02;
} // namespace P3ErrorTag

// A PASSING record: a transponder crossing the loop.
struct P3Passing {
    uint32_t passingNumber = 0;
    std::optional<uint32_t> transponder; // the transponder's number, when the record has one
    std::string transponderCode;         // its code text, empty when the record has none
    uint64_t rtcTime = 0;                // microseconds since 1970 on the decoder's clock
    std::optional<uint64_t> utcTime;
    std::optional<uint16_t> strength;
    std::optional<uint16_t> hits;
    uint16_t flags = 0;
    std::optional<uint32_t> decoderId;
};

// Nothing unless the record is a PASSING with a passing number, an RTC time and a transponder
// number or code; strength, hits, flags and decoder id may be missing.
std::optional<P3Passing> readP3Passing(const P3Frame& frame);

// A STATUS record, sent by the decoder every few seconds. Values are as sent: the temperature is
// whole degrees on some decoders and tenths on others, the input voltage presumably tenths of a
// volt.
struct P3Status {
    std::optional<uint16_t> noise;
    std::optional<uint8_t> gps;
    std::optional<int16_t> temperature;
    std::optional<uint8_t> inputVoltage;
    std::optional<uint8_t> satellitesInUse;
    std::optional<uint32_t> decoderId;
};

// Nothing unless the record is a STATUS.
std::optional<P3Status> readP3Status(const P3Frame& frame);

// A VERSION answer, as texts for the decoder monitor; a field the answer lacks stays empty.
struct P3Version {
    std::string decoderType; // "AMBrc", "TranX", ... or the number sent
    std::string description;
    std::string version;
    std::string release;
    std::string registration;
    std::string build;
    std::string options;
    std::optional<uint32_t> decoderId;
};

std::optional<P3Version> readP3Version(const P3Frame& frame);

// A GET_TIME answer: the decoder's clock when it answered.
struct P3Time {
    uint64_t rtcTime = 0; // microseconds since 1970 on the decoder's clock
    std::optional<uint64_t> utcTime;
    std::optional<uint32_t> decoderId;
};

// Nothing unless the record is a GET_TIME carrying an RTC time (a request carries none).
std::optional<P3Time> readP3Time(const P3Frame& frame);

// A RESEND request: the passings numbered `from` to `until`, both included.
struct P3Resend {
    uint32_t from = 0;
    uint32_t until = 0;
    std::optional<uint32_t> decoderId;
};

std::optional<P3Resend> readP3Resend(const P3Frame& frame);

// An ERROR record: presumably the decoder's answer to a command it could not take.
struct P3Error {
    uint16_t code = 0; // 1 CRC, 2 SOR missing, 3 header, 4 TOR unknown, 5 parameters, 6 too long
    std::string description;
};

std::optional<P3Error> readP3Error(const P3Frame& frame);

// The decoder id a record of any type carries; nothing when it has none.
std::optional<uint32_t> readP3DecoderId(const P3Frame& frame);

// A field value as text: printable ASCII as it stands (trailing NULs and blanks removed), else
// the little-endian number of up to 8 bytes, else hexadecimal bytes. With `number` set, a value of
// up to 8 bytes is always the number.
std::string p3ValueText(std::span<const uint8_t> value, bool number = false);

} // namespace vexa
