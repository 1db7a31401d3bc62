#include "timing/decoder_address.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

TEST(DecoderAddress, HostAndOptionalPort) {
    const struct {
        const char* text;
        bool valid;
        const char* host;
        uint16_t port;
    } cases[] = {
        {"192.168.1.20", true, "192.168.1.20", 5100},
        {" 10.0.0.5 ", true, "10.0.0.5", 5100},
        {"127.0.0.1:5200", true, "127.0.0.1", 5200},
        {"decoder.local:1", true, "decoder.local", 1},
        {"[::1]:6000", true, "::1", 6000},
        {"[::1]", true, "::1", 5100},
        {"fe80::1", true, "fe80::1", 5100},
        {"", false, "", 0},
        {":5100", false, "", 0},
        {"host:", false, "", 0},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:51x", false, "", 0},
        {"[::1", false, "", 0},
        {"[::1]x", false, "", 0},
    };
    for (const auto& c : cases) {
        const std::optional<DecoderAddress> a = parseDecoderAddress(c.text);
        ASSERT_EQ(a.has_value(), c.valid) << c.text;
        if (!a) continue;
        EXPECT_EQ(a->host, c.host) << c.text;
        EXPECT_EQ(a->port, c.port) << c.text;
    }
    // A P3 decoder listens on a port of its own.
    EXPECT_EQ(parseDecoderAddress("10.0.0.5", P3TcpPort)->port, 5403);
    EXPECT_EQ(parseDecoderAddress("[::1]", P3TcpPort)->port, 5403);
    EXPECT_EQ(parseDecoderAddress("10.0.0.5:5100", P3TcpPort)->port, 5100);
}

} // namespace
