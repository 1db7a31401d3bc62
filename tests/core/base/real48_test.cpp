#include "base/real48.h"
#include "support/bytes.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vexa;
using vexa::test::hex;

namespace {

struct Real48Case {
    double value;
    const char* bytes;
};

class Real48Golden : public testing::TestWithParam<Real48Case> {};

TEST_P(Real48Golden, EncodesAndDecodes) {
    const auto& c = GetParam();
    const auto expected = hex(c.bytes);
    const Real48 encoded = toReal48(c.value);
    EXPECT_EQ(std::vector<uint8_t>(encoded.begin(), encoded.end()), expected) << c.value;
    Real48 raw;
    std::copy(expected.begin(), expected.end(), raw.begin());
    EXPECT_DOUBLE_EQ(fromReal48(raw), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Real48Golden,
    testing::Values(Real48Case{0.0, "00 00 00 00 00 00"}, Real48Case{1.0, "81 00 00 00 00 00"},
                    Real48Case{-1.0, "81 00 00 00 00 80"}, Real48Case{500.0, "89 00 00 00 00 7A"},
                    Real48Case{0.5, "80 00 00 00 00 00"}, Real48Case{-2.5, "82 00 00 00 00 A0"},
                    Real48Case{300.125, "89 00 00 00 10 16"}));

TEST(Real48, RoundsToNearestAtThirtyNineBits) {
    // 0.1 is not exact in binary: the stored value is the nearest 39-bit mantissa.
    const double stored = roundToReal48(0.1);
    EXPECT_NE(stored, 0.1);
    EXPECT_NEAR(stored, 0.1, 0.1 * std::ldexp(1.0, -39));
    // A lap time with millisecond digits survives a round trip to the millisecond.
    EXPECT_NEAR(roundToReal48(312.457), 312.457, 1e-9);
    // A mantissa that rounds up to the next power of two carries into the exponent.
    const double justBelowTwo = 2.0 - std::ldexp(1.0, -45);
    EXPECT_EQ(roundToReal48(justBelowTwo), 2.0);
}

TEST(Real48, DecodesIgnoringMantissaSignWhenExponentIsZero) {
    EXPECT_EQ(fromReal48(Real48{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0.0);
    EXPECT_EQ(toReal48(std::nan(""))[0], 0);
}

} // namespace
