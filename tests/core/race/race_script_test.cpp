#include "race/race_script.h"

#include <gtest/gtest.h>

using namespace vexa;

TEST(RaceScript, EventsInTimeOrderWithExactMilliseconds) {
    const ParsedScript p = parseRaceScript("# a comment\n"
                                           "\n"
                                           "70.5 key 12\r\n"
                                           "63.25 decoder 01 4a 0D\n"
                                           "70.500 penalty 999\n"
                                           "63.001 key q w\n"
                                           "80 endrace\n");
    ASSERT_EQ(p.error, "");
    const auto& e = p.script.events;
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].ms, 63001);
    EXPECT_EQ(e[0].data, "qw");
    EXPECT_EQ(e[1].ms, 63250);
    EXPECT_EQ(e[1].kind, ScriptEvent::Kind::Decoder);
    EXPECT_EQ(e[1].data, std::string("\x01\x4a\x0d"));
    EXPECT_EQ(e[2].ms, 70500); // same moment: script order
    EXPECT_EQ(e[2].data, "12");
    EXPECT_EQ(e[3].action, "penalty");
    EXPECT_EQ(e[3].argument, 999);
    EXPECT_EQ(e[4].ms, 80000);
    EXPECT_TRUE(p.script.hasDecoderBytes());
}

TEST(RaceScript, MistakesNameTheirLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"abc key 1", "line 1: not a time in seconds: abc"},
        {"\n1.2345 key 1", "line 2: not a time in seconds: 1.2345"},
        {"-1 key 1", "line 1: not a time in seconds: -1"},
        {"5", "line 1: nothing happens at 5"},
        {"5 key", "line 1: no key given"},
        {"5 decoder 1G", "line 1: not a hexadecimal byte: 1G"},
        {"5 decoder", "line 1: no decoder bytes given"},
        {"5 penalty", "line 1: penalty needs a car number"},
        {"5 penalty x", "line 1: not a car number: x"},
        {"5 equipment 2", "line 1: equipment needs a device from 0 to 3 and a decoder id"},
        {"5 equipment 4 0", "line 1: equipment needs a device from 0 to 3 and a decoder id"},
        {"5 start now", "line 1: unexpected text after start: now"},
        {"5 fly", "line 1: unknown event: fly"},
    };
    for (const auto& [text, error] : cases) EXPECT_EQ(parseRaceScript(text).error, error) << text;
}
