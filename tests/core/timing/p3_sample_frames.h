#pragma once

// P3 records as decoders sent them, byte for byte from captures, and a few written by hand.

#include "support/bytes.h"

#include <string>
#include <string_view>

namespace vexa::test {

// Bytes for a link, from hexadecimal text.
inline std::string wire(const std::string& hexText) {
    const std::vector<uint8_t> bytes = hex(hexText);
    return std::string(bytes.begin(), bytes.end());
}

namespace p3 {
// STATUS of an AMB RC decoder: noise 39, temperature 22, input voltage 118, GPS 0.
inline const char* const StatusAmbRc =
    "8e021f004d7c0000020001022700070216000c01760601008104131804008f";
// STATUS of a ProChip decoder: noise 53, temperature 16, GPS 1, no satellites.
inline const char* const StatusProChip =
    "8e021f006cb10000020001023500070210000601010a01008104d0000c008f";
// PASSING 113736 of an AMB RC decoder.
inline const char* const PassingAmbRc =
    "8e0233009ec700000100010448bc010003041d582c000408e805bfc4a41b050005026a000602320008020000"
    "8104930f02008f";
// PASSING 157839: its number holds 0x8F and its CRC is 0xD48F, both escaped on the wire.
inline const char* const PassingEscaped =
    "8E 02 33 00 8D AF D4 00 00 01 00 01 04 8D AF 68 02 00 03 04 2F 79 34 00 04 08 F0 E5 AD 83 "
    "1F 83 05 00 05 02 9B 00 06 02 1D 00 08 02 00 00 81 04 13 18 04 00 8F";
// PASSING 8857 of a ProChip rider: a transponder number and a code, the time after the hits.
inline const char* const PassingProChipRider =
    "8e023d0012850000010001049922000003042af71f060a08464c2d39343839300502850006021d0004088501"
    "ca0866420600080200008104d0000c008f";
// PASSING 8855 of a ProChip gate beacon: no strength, no hits.
inline const char* const PassingProChipBeacon =
    "8e022b0030f3000001000104972200000304082700000408541f710666420600080200008104d0000c008f";
// PASSING 290114 with a transponder code and no number, and the unnamed tags 0x11 and 0x14.
inline const char* const PassingCodeOnly =
    "8e023d0050d3000001000104426d04000a0850562d333834363304088095f0e83ad1040005027a0006022800"
    "080200001101031401038104080f02008f";
// PASSING 17 with version byte 1, the unnamed tag 0x02 and a clock that was never set.
inline const char* const PassingVersion1 =
    "8E0136003833000001000104110000000304377747000502450006026C00020101080200000408400D72A900"
    "0000008104540202008F";
// PASSING 68681.
inline const char* const PassingSample =
    "8e02330043df000001000104490c01000304c6e548000408e8f067b2e17b04000502a7000602f50008020000"
    "8104e80904008f";
// PASSING 5112 whose CRC is 0x0000 (written by hand; a zero CRC is a CRC like any other).
inline const char* const PassingZeroCrc =
    "8E 02 27 00 00 00 00 00 01 00 01 04 F8 13 00 00 03 04 01 09 3D 00 04 08 F0 E5 AD 83 1F 83 "
    "05 00 81 04 13 18 04 00 8F";
// A client's GET_TIME request: version 0 and length 0, three fields without values.
inline const char* const GetTimeRequestLengthZero =
    "8E 00 00 00 5B EB 00 00 24 00 01 00 04 00 05 00 8F";
// RESEND of passing 711881 alone.
inline const char* const Resend711881 =
    "8E 02 17 00 7F C3 00 00 04 00 01 04 C9 DC 0A 00 02 04 C9 DC 0A 00 8F";
} // namespace p3

} // namespace vexa::test
