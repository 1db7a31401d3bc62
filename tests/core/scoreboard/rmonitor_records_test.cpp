// The scoreboard feed's records as timing displays read them: quoting, times, flags and the
// layout of each record.
#include "scoreboard/rmonitor_fields.h"
#include "scoreboard/rmonitor_records.h"

#include <gtest/gtest.h>

#include <string>

using namespace vexa;

TEST(RmonitorFields, TextIsQuotedPlainAscii) {
    const struct {
        std::string latin1, quoted;
    } cases[] = {
        {"Ann Lee", R"("Ann Lee")"},
        {"", R"("")"},
        {"Bob \"Rocket\" Ray", R"("Bob 'Rocket' Ray")"}, // a quote would end the field
        {"a,b", R"("a,b")"},                             // a comma inside quotes is text
        {"J\xfcrgen Stra\xdf"
         "e",
         R"("Jurgen Strasse")"},
        {"\xc6sop \xd8rsted \xe7\xe9", R"("AEsop Orsted ce")"},
        {"tab\there\r\nend", R"("tab here  end")"}, // a line end would break the record
        {"\xa0x\xa9\x80", R"(" x??")"},
    };
    for (const auto& c : cases) EXPECT_EQ(rmonitorText(c.latin1), c.quoted) << c.latin1;
}

TEST(RmonitorFields, Times) {
    const struct {
        int64_t ms;
        std::string text;
    } cases[] = {
        {0, "00:00:00.000"},          {48512, "00:00:48.512"},   {61005, "00:01:01.005"},
        {3599999, "00:59:59.999"},    {3600000, "01:00:00.000"}, {-5, "00:00:00.000"},
        {360000000, "100:00:00.000"},
    };
    for (const auto& c : cases) EXPECT_EQ(rmonitorTime(c.ms), c.text) << c.ms;
    EXPECT_EQ(rmonitorClock(252), "00:04:12");
    EXPECT_EQ(rmonitorClock(-1), "00:00:00");
    EXPECT_EQ(rmonitorDate(2026, 12, 11), "11 Dec 26");
    EXPECT_EQ(rmonitorDate(2009, 3, 5), "05 Mar 09");
    // The engine's seconds to the nearest millisecond; nothing absurd wraps.
    EXPECT_EQ(rmonitorMs(15.8765), 15877);
    EXPECT_EQ(rmonitorMs(-2.0), 0);
    EXPECT_EQ(rmonitorMs(1e300), 1'000'000'000'000);
}

TEST(RmonitorRecords, Layouts) {
    EXPECT_EQ(heartbeatRecord({9999, 252, 50580000 + 123, 48, ScoreboardFlag::Green}),
              "$F,9999,\"00:04:12\",\"14:03:00\",\"00:00:48\",\"Green \"\r\n");
    EXPECT_EQ(competitorRecords({7, 4012345, "Ann", "Lee", 1}),
              "$A,\"7\",\"7\",4012345,\"Ann\",\"Lee\",\"\",1\r\n"
              "$COMP,\"7\",\"7\",1,\"Ann\",\"Lee\",\"\",\"\"\r\n");
    EXPECT_EQ(runRecord(102003, "Buggy Heat# 3 Round 2"),
              "$B,102003,\"Buggy Heat# 3 Round 2\"\r\n");
    EXPECT_EQ(classRecord(1, "Buggy"), "$C,1,\"Buggy\"\r\n");
    EXPECT_EQ(initRecord(50531000, "11 Dec 26"), "$I,\"14:02:11.000\",\"11 Dec 26\"\r\n");
    EXPECT_EQ(positionRecord({1, 7, 3, 48512}), "$G,1,\"7\",3,\"00:00:48.512\"\r\n");
    EXPECT_EQ(positionRecord({4, 12, 0, 0}), "$G,4,\"12\",,\"00:00:00.000\"\r\n");
    EXPECT_EQ(bestLapRecord({1, 7, 2, 15402}), "$H,1,\"7\",2,\"00:00:15.402\"\r\n");
    EXPECT_EQ(passingRecord({7, 15877, 48512}), "$J,\"7\",\"00:00:15.877\",\"00:00:48.512\"\r\n");
}

TEST(RmonitorRecords, FlagsAreSixCharacters) {
    const struct {
        ScoreboardFlag flag;
        std::string text;
    } cases[] = {
        {ScoreboardFlag::Green, "Green "},
        {ScoreboardFlag::Yellow, "Yellow"},
        {ScoreboardFlag::Finish, "Finish"},
        {ScoreboardFlag::None, "      "},
    };
    for (const auto& c : cases) EXPECT_EQ(scoreboardFlagText(c.flag), c.text);
}

TEST(RmonitorRecords, NamesSplitAtTheLastBlank) {
    const struct {
        std::string name, first, last;
    } cases[] = {
        {"Ann Lee", "Ann", "Lee"},
        {"Ann Marie  Lee ", "Ann Marie", "Lee"},
        {"Prince", "", "Prince"},
        {"  ", "", ""},
    };
    for (const auto& c : cases) {
        const SplitName s = splitName(c.name);
        EXPECT_EQ(s.first, c.first) << c.name;
        EXPECT_EQ(s.last, c.last) << c.name;
    }
}
