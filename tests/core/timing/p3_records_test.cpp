#include "p3_sample_frames.h"
#include "timing/p3_frame_reader.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace vexa;
using namespace vexa::test;

namespace {

// Reads the one frame in the bytes and hands it to `read`.
template <class Read> auto readOne(const std::string& bytes, Read read) {
    P3FrameReader reader;
    std::optional<decltype(read(std::declval<const P3Frame&>()))> out;
    reader.feed(bytes, [&](const P3Frame& f) { out = read(f); });
    EXPECT_TRUE(out.has_value()) << "no frame";
    return out.value_or(std::nullopt);
}

std::optional<P3Passing> passingOf(const std::string& bytes) {
    return readOne(bytes, readP3Passing);
}

TEST(P3Records, PassingsOfRealDecoders) {
    const struct {
        const char* name;
        const char* frame;
        uint32_t number;
        std::optional<uint32_t> transponder;
        const char* code;
        uint64_t rtc;
        std::optional<uint16_t> strength, hits;
        uint32_t decoder;
    } cases[] = {
        {"AMB RC", p3::PassingAmbRc, 113736, 2906141, "", 1437769372993000, 106, 50, 135059},
        {"escaped number", p3::PassingEscaped, 157839, 3438895, "", 1551546259990000, 155, 29,
         268307},
        {"ProChip rider", p3::PassingProChipRider, 8857, 102758186, "FL-94890", 1761855861817733,
         133, 29, 0x000C00D0},
        {"ProChip beacon without strength and hits", p3::PassingProChipBeacon, 8855, 9992, "",
         1761855822438228, std::nullopt, std::nullopt, 0x000C00D0},
        {"code and no number", p3::PassingCodeOnly, 290114, std::nullopt, "PV-38463",
         1355950853232000, 122, 40, 0x00020F08},
        {"version 1, clock never set", p3::PassingVersion1, 17, 4683575, "", 2842824000, 69, 108,
         0x00020254},
        {"another", p3::PassingSample, 68681, 4777414, "", 1262109197857000, 167, 245, 264680},
    };
    for (const auto& c : cases) {
        const std::optional<P3Passing> p = passingOf(wire(c.frame));
        ASSERT_TRUE(p) << c.name;
        EXPECT_EQ(p->passingNumber, c.number) << c.name;
        EXPECT_EQ(p->transponder, c.transponder) << c.name;
        EXPECT_EQ(p->transponderCode, c.code) << c.name;
        EXPECT_EQ(p->rtcTime, c.rtc) << c.name;
        EXPECT_EQ(p->strength, c.strength) << c.name;
        EXPECT_EQ(p->hits, c.hits) << c.name;
        EXPECT_EQ(p->flags, 0) << c.name;
        EXPECT_EQ(p->decoderId, c.decoder) << c.name;
        EXPECT_FALSE(p->utcTime) << c.name;
    }
}

TEST(P3Records, PassingNeedsNumberTimeAndTransponder) {
    auto passing = [] { return P3FrameWriter(P3Tor::Passing).u32(0x81, 7).u16(0x08, 0); };
    const struct {
        const char* name;
        std::string frame;
        bool read;
    } cases[] = {
        {"all there", passing().u32(0x01, 5).u32(0x03, 4000001).u64(0x04, 1000).frame(), true},
        {"no passing number", passing().u32(0x03, 4000001).u64(0x04, 1000).frame(), false},
        {"no time", passing().u32(0x01, 5).u32(0x03, 4000001).frame(), false},
        {"no transponder", passing().u32(0x01, 5).u64(0x04, 1000).frame(), false},
        {"empty code", passing().u32(0x01, 5).text(0x0A, "").u64(0x04, 1000).frame(), false},
        {"number too wide for 32 bits",
         passing().u64(0x01, 1ull << 32).u32(0x03, 9).u64(0x04, 1).frame(), false},
        {"time in 4 bytes", passing().u32(0x01, 5).u32(0x03, 4000001).u32(0x04, 1000).frame(),
         true},
        {"a status", P3FrameWriter(P3Tor::Status).u32(0x01, 5).u32(0x03, 9).u64(0x04, 1).frame(),
         false},
    };
    for (const auto& c : cases) EXPECT_EQ(passingOf(c.frame).has_value(), c.read) << c.name;
}

TEST(P3Records, UnknownTagsArePassedOverWhateverTheyHold) {
    // Unknown fields before, between and after the known ones, one holding SOR, EOR and escape
    // bytes and one of 255 bytes.
    const std::string frame = P3FrameWriter(P3Tor::Passing)
                                  .text(0x77, std::string("\x8E\x8F\x8D\x01", 4))
                                  .u32(0x01, 0x8D8E8F8A)
                                  .text(0x13, std::string(255, '\x8F'))
                                  .u32(0x03, 4000001)
                                  .u64(0x04, 0x8F8E8D0000000000 >> 8)
                                  .empty(0x99)
                                  .u16(0x05, 0x8E8F)
                                  .u8(0xFE, 0)
                                  .frame();
    const std::optional<P3Passing> p = passingOf(frame);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->passingNumber, 0x8D8E8F8Au);
    EXPECT_EQ(p->transponder, 4000001u);
    EXPECT_EQ(p->rtcTime, 0x008F8E8D00000000u);
    EXPECT_EQ(p->strength, 0x8E8F);
    EXPECT_FALSE(p->hits);
    EXPECT_FALSE(p->decoderId);
}

TEST(P3Records, StatusOfRealDecoders) {
    const std::optional<P3Status> amb = readOne(wire(p3::StatusAmbRc), readP3Status);
    ASSERT_TRUE(amb);
    EXPECT_EQ(amb->noise, 39);
    EXPECT_EQ(amb->temperature, 22);
    EXPECT_EQ(amb->inputVoltage, 118);
    EXPECT_EQ(amb->gps, 0);
    EXPECT_FALSE(amb->satellitesInUse);
    EXPECT_EQ(amb->decoderId, 268307u);

    const std::optional<P3Status> chip = readOne(wire(p3::StatusProChip), readP3Status);
    ASSERT_TRUE(chip);
    EXPECT_EQ(chip->noise, 53);
    EXPECT_EQ(chip->temperature, 16);
    EXPECT_EQ(chip->gps, 1);
    EXPECT_EQ(chip->satellitesInUse, 0);
    EXPECT_FALSE(chip->inputVoltage);

    // A temperature below zero; loop triggers and other tags are passed over.
    const std::optional<P3Status> cold = readOne(P3FrameWriter(P3Tor::Status)
                                                     .u16(0x07, static_cast<uint16_t>(-15))
                                                     .u32(0x0B, 3)
                                                     .u16(0x15, 40)
                                                     .u16(0x01, 61)
                                                     .frame(),
                                                 readP3Status);
    ASSERT_TRUE(cold);
    EXPECT_EQ(cold->temperature, -15);
    EXPECT_EQ(cold->noise, 61);
    EXPECT_FALSE(readOne(wire(p3::PassingAmbRc), readP3Status));
}

TEST(P3Records, VersionAnswersInBothTagSets) {
    const std::optional<P3Version> first = readOne(P3FrameWriter(P3Tor::Version)
                                                       .u8(0x01, 0x10)
                                                       .text(0x02, "AMB decoder")
                                                       .text(0x03, "4.3")
                                                       .text(0x04, std::string("R1\0\0", 4))
                                                       .u16(0x0A, 0x3031)
                                                       .u32(0x81, 268307)
                                                       .frame(),
                                                   readP3Version);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->decoderType, "AMBrc");
    EXPECT_EQ(first->description, "AMB decoder");
    EXPECT_EQ(first->version, "4.3");
    EXPECT_EQ(first->release, "R1");
    EXPECT_EQ(first->build, "12337");
    EXPECT_EQ(first->decoderId, 268307u);

    const std::optional<P3Version> second = readOne(P3FrameWriter(P3Tor::Version)
                                                        .u64(0x20, 0x000C00D0)
                                                        .text(0x21, "ProChip")
                                                        .text(0x22, "2.1.0")
                                                        .u16(0x23, 512)
                                                        .u8(0x01, 0x42)
                                                        .frame(),
                                                    readP3Version);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->description, "ProChip");
    EXPECT_EQ(second->version, "2.1.0");
    EXPECT_EQ(second->build, "512");
    EXPECT_EQ(second->decoderType, "B"); // an unknown type that reads as text
    EXPECT_EQ(second->decoderId, 0x000C00D0u);
}

TEST(P3Records, TimeAnswerResendAndError) {
    const std::optional<P3Time> time = readOne(
        P3FrameWriter(P3Tor::GetTime).u64(0x01, 1592148824541000).u16(0x04, 0).frame(), readP3Time);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->rtcTime, 1592148824541000u);
    EXPECT_FALSE(time->utcTime);
    // The request asks with empty fields; it is no answer.
    EXPECT_FALSE(readOne(wire(p3::GetTimeRequestLengthZero), readP3Time));

    const std::optional<P3Resend> resend = readOne(wire(p3::Resend711881), readP3Resend);
    ASSERT_TRUE(resend);
    EXPECT_EQ(resend->from, 711881u);
    EXPECT_EQ(resend->until, 711881u);
    EXPECT_FALSE(readOne(P3FrameWriter(P3Tor::Resend).u32(0x01, 5).frame(), readP3Resend));

    const std::optional<P3Error> error = readOne(
        P3FrameWriter(P3Tor::Error).u16(0x01, 1).text(0x02, "CRC Error").frame(), readP3Error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, 1);
    EXPECT_EQ(error->description, "CRC Error");
}

TEST(P3Records, ValueTexts) {
    const struct {
        std::vector<uint8_t> value;
        bool number;
        const char* text;
    } cases[] = {
        {{'F', 'L', '-', '9'}, false, "FL-9"},
        {{'A', 'B', 0, 0, ' '}, false, "AB"},
        {{'A', 'B'}, true, "16961"},
        {{0x13, 0x18, 0x04, 0x00}, false, "268307"},
        {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x8F},
         false,
         "01 02 03 04 05 06 07 08 8F"},
        {{}, false, ""},
        {{0}, false, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(p3ValueText(c.value, c.number), c.text) << c.text;
}

TEST(P3Records, RecordNames) {
    EXPECT_EQ(p3RecordName(P3Tor::Passing), "PASSING");
    EXPECT_EQ(p3RecordName(P3Tor::GetTime), "GET_TIME");
    EXPECT_EQ(p3RecordName(static_cast<P3Tor>(0x0042)), "TOR 0x0042");
}

} // namespace
