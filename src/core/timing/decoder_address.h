#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexa {

// The TCP port of an AMBrc decoder, and of a decoder that speaks P3.
inline constexpr uint16_t AmbrcTcpPort = 5100;
inline constexpr uint16_t P3TcpPort = 5403;

// Where the "IP ADDRESS" entry points: a host name or address, optionally followed by ":" and a
// port ("192.168.1.20", "decoder.local:5200", "[::1]:5100"). An IPv6 address without brackets
// takes the decoder port.
struct DecoderAddress {
    std::string host;
    uint16_t port = AmbrcTcpPort;
};

// Nothing for an empty host or a port that is not 1..65535. Without a port the address takes
// `defaultPort` (5403 for a P3 decoder).
std::optional<DecoderAddress> parseDecoderAddress(std::string_view text,
                                                  uint16_t defaultPort = AmbrcTcpPort);

} // namespace vexa
