#include "base/real48.h"

#include <cmath>

namespace vexa {

namespace {
constexpr int Bias = 129;
constexpr double MantissaScale = 549755813888.0; // 2^39
} // namespace

Real48 toReal48(double value) {
    Real48 out{};
    if (std::isnan(value) || value == 0.0) return out;
    const bool negative = value < 0;
    double magnitude = std::fabs(value);
    int exp2 = 0;
    const double fraction = std::frexp(magnitude, &exp2); // magnitude = fraction * 2^exp2
    // magnitude = (1 + m / 2^39) * 2^(exp2 - 1)
    double mantissa = std::nearbyint((fraction * 2.0 - 1.0) * MantissaScale);
    int exponent = exp2 - 1 + Bias;
    if (mantissa >= MantissaScale) {
        mantissa = 0;
        ++exponent;
    }
    if (exponent < 1) return out; // too small for the format
    uint64_t bits = static_cast<uint64_t>(mantissa);
    if (exponent > 255 || std::isinf(value)) {
        exponent = 255;
        bits = (uint64_t{1} << 39) - 1;
    }
    out[0] = static_cast<uint8_t>(exponent);
    for (int i = 1; i <= 5; ++i) {
        out[i] = static_cast<uint8_t>(bits & 0xFF);
        bits >>= 8;
    }
    if (negative) out[5] |= 0x80;
    return out;
}

double fromReal48(const Real48& bytes) {
    if (bytes[0] == 0) return 0.0;
    uint64_t bits = 0;
    for (int i = 5; i >= 1; --i) bits = (bits << 8) | bytes[i];
    bits &= (uint64_t{1} << 39) - 1;
    const double value =
        std::ldexp(1.0 + static_cast<double>(bits) / MantissaScale, bytes[0] - Bias);
    return (bytes[5] & 0x80) ? -value : value;
}

double roundToReal48(double value) {
    return fromReal48(toReal48(value));
}

} // namespace vexa
