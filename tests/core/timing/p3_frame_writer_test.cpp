#include "p3_sample_frames.h"
#include "timing/p3_crc.h"
#include "timing/p3_frame_reader.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"
#include "timing/p3_requests.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace vexa;
using namespace vexa::test;

namespace {

TEST(P3Crc, CheckValueAndTheDecodersOwnFrames) {
    const std::string_view check = "123456789";
    EXPECT_EQ(p3Crc(std::span(reinterpret_cast<const uint8_t*>(check.data()), check.size())),
              0xA69D); // the textbook CRC-16/CCITT-FALSE would give 0x29B1
    const std::vector<uint8_t> status = hex(p3::StatusAmbRc);
    EXPECT_EQ(p3FrameCrc(status), 0x7C4D);
    // With the CRC field already zero, the CRC over the frame is the same.
    std::vector<uint8_t> zeroed = status;
    zeroed[4] = zeroed[5] = 0;
    EXPECT_EQ(p3Crc(zeroed), 0x7C4D);
}

// Records built field by field in the decoders' own order come out exactly as they sent them.
TEST(P3FrameWriter, BuildsTheDecodersRecordsByteForByte) {
    const struct {
        const char* name;
        std::string built;
        const char* sent;
    } cases[] = {
        {"AMB RC status",
         P3FrameWriter(P3Tor::Status)
             .u16(0x01, 39)
             .u16(0x07, 22)
             .u8(0x0C, 118)
             .u8(0x06, 0)
             .u32(0x81, 268307)
             .frame(),
         p3::StatusAmbRc},
        {"escapes in the CRC and in a value",
         P3FrameWriter(P3Tor::Passing)
             .u32(0x01, 157839)
             .u32(0x03, 3438895)
             .u64(0x04, 1551546259990000)
             .u16(0x05, 155)
             .u16(0x06, 29)
             .u16(0x08, 0)
             .u32(0x81, 268307)
             .frame(),
         p3::PassingEscaped},
        {"ProChip rider with a code",
         P3FrameWriter(P3Tor::Passing)
             .u32(0x01, 8857)
             .u32(0x03, 102758186)
             .text(0x0A, "FL-94890")
             .u16(0x05, 133)
             .u16(0x06, 29)
             .u64(0x04, 1761855861817733)
             .u16(0x08, 0)
             .u32(0x81, 0x000C00D0)
             .frame(),
         p3::PassingProChipRider},
        {"version byte 1",
         P3FrameWriter(P3Tor::Passing)
             .u32(0x01, 17)
             .u32(0x03, 4683575)
             .u16(0x05, 69)
             .u16(0x06, 108)
             .u8(0x02, 1)
             .u16(0x08, 0)
             .u64(0x04, 2842824000)
             .u32(0x81, 0x00020254)
             .frame(1),
         p3::PassingVersion1},
        {"CRC 0x0000",
         P3FrameWriter(P3Tor::Passing)
             .u32(0x01, 5112)
             .u32(0x03, 4000001)
             .u64(0x04, 1551546259990000)
             .u32(0x81, 268307)
             .frame(),
         p3::PassingZeroCrc},
    };
    for (const auto& c : cases) EXPECT_EQ(c.built, wire(c.sent)) << c.name;
}

TEST(P3Requests, RequestFrames) {
    EXPECT_EQ(p3ResendRequest(711881, 711881), wire(p3::Resend711881));
    // Numbers holding 0x8D and 0x8F go out escaped.
    EXPECT_EQ(p3ResendRequest(157837, 157839),
              wire("8E 02 17 00 18 DB 00 00 04 00 01 04 8D AD 68 02 00 02 04 8D AF 68 02 00 8F"));
    // 0x8A to 0x8C are sent as they are, as decoders do.
    EXPECT_EQ(p3ResendRequest(157834, 157836),
              wire("8E 02 17 00 E3 33 00 00 04 00 01 04 8A 68 02 00 02 04 8C 68 02 00 8F"));
    EXPECT_EQ(p3GetTimeRequest(), wire("8E 02 11 00 4E 4E 00 00 24 00 01 00 04 00 05 00 8F"));
    EXPECT_EQ(p3VersionRequest(), wire("8E 02 19 00 15 E2 00 00 03 00 01 00 02 00 03 00 04 00 08 "
                                       "00 0A 00 0C 00 8F"));
}

// Lengths, CRCs and values of every size made of control bytes survive the way there and back;
// a body of 131 bytes makes the length 0x8E, which is escaped like any other byte.
TEST(P3FrameWriter, EveryByteIsEscapedWhereItMustBe) {
    for (size_t size = 0; size <= 200; ++size) {
        std::string value;
        for (size_t i = 0; i < size; ++i) value.push_back(static_cast<char>(0x8A + i % 6));
        const std::string frame =
            P3FrameWriter(static_cast<P3Tor>(0x8E8F)).text(0x8D, value).frame();
        EXPECT_EQ(frame.find('\x8E', 1), std::string::npos) << size;
        EXPECT_EQ(frame.find('\x8F'), frame.size() - 1) << size;
        P3FrameReader reader;
        int frames = 0;
        reader.feed(frame, [&](const P3Frame& f) {
            ++frames;
            EXPECT_EQ(f.tor, static_cast<P3Tor>(0x8E8F));
            EXPECT_EQ(f.bytes.size(), 10 + 2 + size + 1);
            P3FieldCursor fields(f.body);
            P3Field field;
            ASSERT_TRUE(fields.next(field));
            EXPECT_EQ(field.tag, 0x8D);
            EXPECT_EQ(std::string(field.value.begin(), field.value.end()), value);
        });
        EXPECT_EQ(frames, 1) << size;
    }
}

} // namespace
