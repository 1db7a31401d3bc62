// What a race journal keeps of a decoder's bytes: every passing and every other record, and of
// the status records one each half second; only records that came whole in one block are left
// out, and thinning again changes nothing.
#include "journal/decoder_status_thinner.h"

#include "timing/p3_sample_frames.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::wire;

namespace {

const std::string Status = "\x01#\t1\t0\t40\r\n";
const std::string Passing = "\x01@\t1\t7\t4012345\t12.345\t5\t80\r\n";

struct Block {
    int64_t ms;
    std::string bytes;
};

// The blocks as a journal keeps them, block by block.
std::vector<std::string> kept(const std::vector<Block>& blocks, int device) {
    DecoderStatusThinner thinner;
    thinner.countingDevice(device);
    std::vector<std::string> out;
    for (const Block& b : blocks) out.push_back(thinner.keep(b.bytes, b.ms));
    return out;
}

std::string times(const std::string& text, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += text;
    return out;
}

} // namespace

TEST(DecoderStatusThinner, StatusRecordsAreKeptEachHalfSecondAndEverythingElseAlways) {
    const std::string statusP3 = wire(test::p3::StatusAmbRc);
    const std::string passingP3 = wire(test::p3::PassingAmbRc);
    const std::string escapedP3 = wire(test::p3::PassingEscaped);
    struct Case {
        const char* what;
        int device;
        std::vector<Block> blocks;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"AMBrc: a flood with a passing in it",
         2,
         {{0, times(Status, 3) + Passing + Status}, {499, Status}, {500, Status + Status}},
         {Status + Passing, "", Status}},
        {"AMBrc: a status record split over two blocks is kept",
         2,
         {{0, Status + Status.substr(0, 4)}, {10, Status.substr(4) + Status}},
         {Status + Status.substr(0, 4), Status.substr(4)}},
        {"AMBrc: a line's line feed in the next block goes with it",
         2,
         {{0, Status.substr(0, Status.size() - 1)}, {10, "\n" + Status}},
         {Status.substr(0, Status.size() - 1), ""}},
        {"AMBrc: lines that are not a status alone on their line",
         2,
         {{0, Status}, {1, "x" + Status}, {2, "\x01#\x01@\t1\r"}, {3, "\x01#1\b\r"}},
         {Status, "x" + Status, "\x01#\x01@\t1\r", "\x01#1\b\r"}},
        {"System 20: clock records, the first always",
         1,
         {{0, "@00000001\r@00000002\r"}, {100, "@00000001\r@00000003\r@0501021530\r"}},
         {"@00000001\r@00000002\r", "@00000001\r@0501021530\r"}},
        {"P3: a flood of status frames with passings",
         3,
         {{0, statusP3 + passingP3 + statusP3}, {100, escapedP3 + statusP3}, {600, statusP3}},
         {statusP3 + passingP3, escapedP3, statusP3}},
        {"P3: a status frame split over two blocks, noise between frames",
         3,
         {{0, statusP3 + "zz" + statusP3.substr(0, 5)}, {1, statusP3.substr(5) + statusP3}},
         {statusP3 + "zz" + statusP3.substr(0, 5), statusP3.substr(5)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::string> out = kept(c.blocks, c.device);
        EXPECT_EQ(out, c.expected);
        // What was kept, thinned again, stays as it is.
        std::vector<Block> again;
        for (size_t i = 0; i < out.size(); ++i)
            if (!out[i].empty()) again.push_back({c.blocks[i].ms, out[i]});
        std::vector<std::string> nonEmpty;
        for (const std::string& o : out)
            if (!o.empty()) nonEmpty.push_back(o);
        EXPECT_EQ(kept(again, c.device), nonEmpty);
    }
}

TEST(DecoderStatusThinner, MoreThanTwentyStatusRecordsInHalfASecondAreAFlood) {
    DecoderStatusThinner thinner;
    thinner.countingDevice(2);
    thinner.keep(times(Status, 21), 0); // one kept, twenty left out
    EXPECT_FALSE(thinner.flooding());
    EXPECT_EQ(thinner.leftOut(), 20u);
    thinner.keep(Status, 499);
    EXPECT_TRUE(thinner.flooding());
}

TEST(DecoderStatusThinner, AScriptAsItsJournalKeepsIt) {
    RaceScript script;
    const auto decoder = [&](int64_t ms, const std::string& bytes) {
        ScriptEvent e;
        e.ms = ms;
        e.kind = ScriptEvent::Kind::Decoder;
        e.data = bytes;
        script.events.push_back(e);
    };
    decoder(0, Status);
    decoder(100, Status); // left out whole
    ScriptEvent key;
    key.ms = 150;
    key.kind = ScriptEvent::Kind::Key;
    key.data = "1";
    script.events.push_back(key);
    decoder(200, Status + Passing);
    const JournaledEvents journaled = journaledEvents(script.events, 2);
    ASSERT_EQ(journaled.events.size(), 3u);
    EXPECT_EQ(journaled.scriptIndex, (std::vector<size_t>{0, 2, 3}));
    EXPECT_EQ(journaled.events[2].data, Passing);
    EXPECT_EQ(journaled.events[2].ms, 200);
}
