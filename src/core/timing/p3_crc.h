#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vexa {

// The checksum of P3 decoder records: a 16-bit CRC with the polynomial 0x1021 and the update step
// of the decoder firmware, which indexes its table by the register's high byte alone and XORs the
// byte in afterwards (so it is not the textbook CRC-16/CCITT). It starts at 0xFFFF and has no
// reflection and no final XOR. "123456789" gives 0xA69D.
uint16_t p3Crc(std::span<const uint8_t> bytes);

// The CRC of a whole unescaped frame, SOR to EOR, with its own CRC field (bytes 4 and 5) taken as
// zero: the value a frame stores, low byte first, in those two bytes.
uint16_t p3FrameCrc(std::span<const uint8_t> frame);

} // namespace vexa
