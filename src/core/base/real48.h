#pragma once

#include <array>
#include <cstdint>

namespace vexa {

// The 6-byte real of the event files: byte 0 is the exponent biased by 129 (0 means zero),
// bytes 1..5 a 39-bit mantissa with an implicit leading 1, least significant byte first, and the
// top bit of byte 5 the sign.
using Real48 = std::array<uint8_t, 6>;

// Rounds to nearest; values too large saturate, values too small (and NaN) become 0.
Real48 toReal48(double value);
double fromReal48(const Real48& bytes);

// The value as it comes back after storing it.
double roundToReal48(double value);

} // namespace vexa
