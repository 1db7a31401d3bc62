// The transponder number a P3 passing goes by, and what the transponder test shows of P3 records.
#include "model/event_data.h"
#include "p3_sample_frames.h"
#include "timing/p3_frame_reader.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_monitor.h"
#include "timing/p3_transponder.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

using Lines = std::vector<std::string>;

TEST(P3Transponder, NumberOrTheNumberItsCodeMakes) {
    const struct {
        const char* name;
        std::optional<uint32_t> number;
        const char* code;
        std::optional<int32_t> expected;
    } cases[] = {
        {"seven digits", 2906141, "", 2906141},
        {"nine digits", 102758186, "FL-94890", 102758186},
        {"code only", std::nullopt, "PV-38463", 253138463},
        {"code in lower case", std::nullopt, "pv-38463", 253138463},
        {"the largest usual code", std::nullopt, "ZZ-99999", 353599999},
        {"a code of digits", std::nullopt, "4711", 4711},
        {"number 0 is none: the code", 0, "AB-1", 10111},
        {"a number beyond 32 bits signed: the code", 3000000000u, "AB-12", 101112},
        {"a number beyond 32 bits signed, no code", 3000000000u, "", std::nullopt},
        {"a code of more than nine digits", std::nullopt, "ABC-12345", std::nullopt},
        {"a code without letters or digits", std::nullopt, "--", std::nullopt},
        {"a code of zeros", std::nullopt, "00-000", std::nullopt},
    };
    for (const auto& c : cases) {
        P3Passing p;
        p.transponder = c.number;
        p.transponderCode = c.code;
        EXPECT_EQ(p3TransponderNumber(p), c.expected) << c.name;
    }
    // Codes of the usual shape never meet: the letters keep their places.
    EXPECT_NE(p3CodeNumber("PV-38463"), p3CodeNumber("FL-38463"));
    EXPECT_NE(p3CodeNumber("AB-1234"), p3CodeNumber("BA-1234"));
}

struct P3MonitorTest : testing::Test {
    EventData event;
    void SetUp() override {
        event.competitor(2).name = "Rider Code";
        event.competitor(2).transponder = 253138463;
        event.competitor(2).enabled = 'N';
        event.competitor(4).name = "Rider Chip";
        event.competitor(4).transponder = 102758186;
    }
    MonitorOutput show(const std::string& bytes) {
        MonitorOutput out;
        P3FrameReader reader;
        int frames = 0;
        reader.feed(bytes, [&](const P3Frame& f) {
            out = monitorP3Record(f, event);
            ++frames;
        });
        EXPECT_EQ(frames, 1);
        return out;
    }
};

TEST_F(P3MonitorTest, PassingLinesOfRealDecoders) {
    const struct {
        const char* name;
        const char* frame;
        const char* line;
    } cases[] = {
        {"rider with number and code", p3::PassingProChipRider,
         "Rider Chip Tx#:102758186 Code:FL-94890 Time:20:24:21.817 Hits:29 Signal:133"},
        {"beacon without hits and strength", p3::PassingProChipBeacon,
         "Tx#:9992 Time:20:23:42.438"},
        {"AMB RC", p3::PassingAmbRc, "Tx#:2906141 Time:20:22:52.993 Hits:50 Signal:106"},
    };
    for (const auto& c : cases) {
        const MonitorOutput out = show(wire(c.frame));
        EXPECT_EQ(out.lines, Lines{c.line}) << c.name;
        EXPECT_EQ(out.bookedInId, 0) << c.name;
        EXPECT_FALSE(out.label) << c.name;
    }
}

TEST_F(P3MonitorTest, CodeOnlyPassingBooksInByTheNumberItsCodeMakes) {
    const MonitorOutput first = show(wire(p3::PassingCodeOnly));
    EXPECT_EQ(first.lines,
              Lines{"Rider Code Tx#:253138463 Code:PV-38463 Time:21:00:53.232 Hits:40 Signal:122"});
    EXPECT_EQ(first.bookedInId, 2);
    EXPECT_EQ(event.competitor(2).enabled, 'Y');
    EXPECT_EQ(show(wire(p3::PassingCodeOnly)).bookedInId, 0);
}

TEST_F(P3MonitorTest, StatusAndAnswers) {
    EXPECT_EQ(show(wire(p3::StatusAmbRc)).label,
              "(P3 Status)  Noise Level:39  Temperature:22  Voltage:118  GPS:0");
    EXPECT_EQ(show(wire(p3::StatusProChip)).label,
              "(P3 Status)  Noise Level:53  Temperature:16  GPS:1  Satellites:0");
    EXPECT_TRUE(show(wire(p3::StatusAmbRc)).lines.empty());

    const MonitorOutput version = show(P3FrameWriter(P3Tor::Version)
                                           .u8(0x01, 0x10)
                                           .text(0x02, "Decoder")
                                           .text(0x03, "4.1")
                                           .u16(0x0A, 77)
                                           .u32(0x81, 268307)
                                           .frame());
    EXPECT_EQ(version.lines, (Lines{"Decoder Type:       AMBrc", "Description:        Decoder",
                                    "Firmware Version:   4.1", "Build:              77",
                                    "Decoder Id:         268307"}));
    EXPECT_EQ(show(P3FrameWriter(P3Tor::GetTime).u64(0x01, 1551546259990000).frame()).lines,
              Lines{"Decoder Clock:      17:04:19.990"});
    EXPECT_EQ(
        show(P3FrameWriter(P3Tor::Error).u16(0x01, 4).text(0x02, "TOR Unknown").frame()).lines,
        Lines{"Decoder Error:      4 TOR Unknown"});
    // A request of the program's own kind, or a record the monitor has no use for: nothing.
    const MonitorOutput request = show(wire(p3::GetTimeRequestLengthZero));
    EXPECT_TRUE(request.lines.empty());
    EXPECT_FALSE(request.label);
    EXPECT_TRUE(show(wire(p3::Resend711881)).lines.empty());
}

} // namespace
