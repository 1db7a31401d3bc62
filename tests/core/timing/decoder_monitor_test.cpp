#include "model/event_data.h"
#include "timing/decoder_monitor.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

using Lines = std::vector<std::string>;

struct DecoderMonitorTest : testing::Test {
    EventData event;
    void SetUp() override {
        event.competitor(3).name = "Anna Berg";
        event.competitor(3).transponder = 4012345;
        event.competitor(3).enabled = 'N';
        event.competitor(5).name = "A driver with a name of 25";
        event.competitor(5).transponder = 5000;
    }
};

TEST_F(DecoderMonitorTest, AmbrcPassingBooksInOnce) {
    const std::string record = "\x01@\t7\t1\t4012345\t12.345\t5\t80\t2";
    MonitorOutput first = monitorRecord(record, MonitorDialect::Ambrc, event);
    EXPECT_EQ(first.bookedInId, 3);
    EXPECT_EQ(event.competitor(3).enabled, 'Y');
    EXPECT_EQ(first.lines,
              Lines{"Anna Berg Tx#:4012345 Time:12.345 Hits:5 Signal:80 Batt: Normal"});

    MonitorOutput second = monitorRecord(record, MonitorDialect::Ambrc, event);
    EXPECT_EQ(second.bookedInId, 0);
    EXPECT_EQ(second.lines, first.lines);
}

TEST_F(DecoderMonitorTest, AmbrcLines) {
    const struct {
        const char* name;
        std::string record;
        Lines lines;
        std::optional<std::string> label;
    } cases[] = {
        {"unknown transponder",
         "\x01@\t7\t1\t9999\t1.5\t3\t40\t3",
         {"Tx#:9999 Time:1.5 Hits:3 Signal:40 Batt: Low"},
         std::nullopt},
        {"name cut to 25 with its blank",
         "\x01@\t7\t1\t5000\t1.5\t3\t40",
         {"A driver with a name of 2Tx#:5000 Time:1.5 Hits:3 Signal:40"},
         std::nullopt},
        {"short passing", "\x01@\t7", {"Tx#:-1 Time:-1 Hits:-1 Signal:-1"}, std::nullopt},
        {"status", "\x01#\t7\t0\t17", {}, "(AMBrc Status)  Noise Level:17"},
        {"reply to another command", "\x01$\t7\t0\t11", {}, std::nullopt},
        {"information reply",
         "\x01$\t7\t0\t33\t\"AMBrc\"\t\"3.1\"\t\"2004-01-01\"\t\"12:00\"\tv\t",
         {"Decoder Type:       AMBrc", "Firmware Version:   3.1", "Firmware Date:      2004-01-01",
          "Firmware Time:      12:00", "Protocol Version:   v"},
         std::nullopt},
        {"not AMBrc", "@05010215307", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        const MonitorOutput out = monitorRecord(c.record, MonitorDialect::Ambrc, event);
        EXPECT_EQ(out.lines, c.lines) << c.name;
        EXPECT_EQ(out.label, c.label) << c.name;
        EXPECT_EQ(out.bookedInId, 0) << c.name;
    }
}

TEST_F(DecoderMonitorTest, System20Lines) {
    const struct {
        const char* name;
        MonitorDialect dialect;
        const char* record;
        Lines lines;
        std::optional<std::string> label;
    } cases[] = {
        {"passing",
         MonitorDialect::System20,
         "@05010215307",
         {"Transponder:05     Hits:7     Time:01:02:15.30"},
         std::nullopt},
        {"13-character passing",
         MonitorDialect::System20,
         "@050102153012",
         {"Transponder:05     Hits:12     Time:01:02:15.30"},
         std::nullopt},
        {"clock", MonitorDialect::System20, "@00000105", {}, "Timer: 00:01:05"},
        {"short record",
         MonitorDialect::System20,
         "@05",
         {"Transponder:05     Hits:     Time:::."},
         std::nullopt},
        {"not a record", MonitorDialect::System20, "05010215307", {}, std::nullopt},
        {"ex20", MonitorDialect::Ex20, "@4321", {"Transponder #: 4321"}, std::nullopt},
        {"ex20 clock", MonitorDialect::Ex20, "@00000001", {}, std::nullopt},
        {"italian", MonitorDialect::Italian, "@12x", {"Transponder #: 12"}, std::nullopt},
    };
    for (const auto& c : cases) {
        const MonitorOutput out = monitorRecord(c.record, c.dialect, event);
        EXPECT_EQ(out.lines, c.lines) << c.name;
        EXPECT_EQ(out.label, c.label) << c.name;
    }
}

} // namespace
