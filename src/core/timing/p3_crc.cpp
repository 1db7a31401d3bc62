#include "timing/p3_crc.h"

#include <array>

namespace vexa {

namespace {

constexpr std::array<uint16_t, 256> crcTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned value = i << 8;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 0x8000) ? (value << 1) ^ 0x1021 : value << 1;
        table[i] = static_cast<uint16_t>(value);
    }
    return table;
}

constexpr std::array<uint16_t, 256> CrcTable = crcTable();

constexpr uint16_t step(uint16_t crc, uint8_t byte) {
    return static_cast<uint16_t>(CrcTable[crc >> 8] ^ (crc << 8) ^ byte);
}

uint16_t crcOf(std::span<const uint8_t> bytes, uint16_t crc) {
    for (uint8_t b : bytes) crc = step(crc, b);
    return crc;
}

} // namespace

uint16_t p3Crc(std::span<const uint8_t> bytes) {
    return crcOf(bytes, 0xFFFF);
}

uint16_t p3FrameCrc(std::span<const uint8_t> frame) {
    constexpr uint8_t Zero[2] = {0, 0};
    if (frame.size() < 6) return crcOf(frame, 0xFFFF);
    return crcOf(frame.subspan(6), crcOf(Zero, crcOf(frame.first(4), 0xFFFF)));
}

} // namespace vexa
