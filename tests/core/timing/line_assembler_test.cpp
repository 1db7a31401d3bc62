#include "timing/line_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexa;

namespace {

std::vector<std::string> feedAll(LineAssembler& lines, const std::vector<std::string>& blocks) {
    std::vector<std::string> out;
    for (const std::string& block : blocks)
        lines.feed(block, [&](std::string_view line) { out.emplace_back(line); });
    return out;
}

struct AssemblyCase {
    const char* name;
    std::vector<std::string> blocks;
    std::vector<std::string> lines;
    std::string pending;
};

TEST(LineAssembler, EditsAndCompletesLines) {
    const AssemblyCase cases[] = {
        {"backspace removes the last character", {"@05\b6\r"}, {"@06"}, ""},
        {"backspace on an empty line does nothing", {"\b\b@1\r"}, {"@1"}, ""},
        {"line feeds are ignored anywhere", {"\n@0\n5\r\n"}, {"@05"}, ""},
        {"an empty line is still a line", {"\r\r"}, {"", ""}, ""},
        {"a record split over blocks",
         {"\x01@\t7", "\t1\t40", "12345\r\n\x01#"},
         {"\x01@\t7\t1\t4012345"},
         "\x01#"},
        {"several records in one block", {"@1\r@2\r@3"}, {"@1", "@2"}, "@3"},
        {"SOH and TAB are kept", {"\x01$\t7\t\t0\r"}, {"\x01$\t7\t\t0"}, ""},
    };
    for (const AssemblyCase& c : cases) {
        LineAssembler lines;
        EXPECT_EQ(feedAll(lines, c.blocks), c.lines) << c.name;
        EXPECT_EQ(lines.pending(), c.pending) << c.name;
    }
}

TEST(LineAssembler, EndlessLineIsCappedAndARecordAfterItComesOutWhole) {
    LineAssembler lines;
    const std::string garbage(LineAssembler::MaxLineLength * 5 + 17, 'x');
    const std::string record = "\x01@\t7\t1\t4012345\t12.345\t5\t80";
    // The garbage arrives in odd-sized pieces, the record right behind it on the same line.
    std::vector<std::string> blocks;
    const std::string all = garbage + record + "\r@07\r";
    for (size_t i = 0; i < all.size(); i += 333) blocks.push_back(all.substr(i, 333));
    const std::vector<std::string> out = feedAll(lines, blocks);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_LE(out[0].size(), LineAssembler::MaxLineLength);
    EXPECT_TRUE(out[0].ends_with(record));
    EXPECT_EQ(out[1], "@07");
    EXPECT_EQ(lines.droppedBytes(), garbage.size() + record.size() - out[0].size());
    EXPECT_LE(lines.pending().capacity(), LineAssembler::MaxLineLength * 2);

    // A line of exactly the cap is still whole.
    const std::string longest(LineAssembler::MaxLineLength, 'y');
    EXPECT_EQ(feedAll(lines, {longest + "\r"}), std::vector<std::string>{longest});
}

// The assembler taken byte by byte, as the rules above say: what the assembler must give for
// any bytes, however they are split into blocks.
struct ByteByByte {
    std::string line;
    size_t dropped = 0;
    std::vector<std::string> out;
    void feed(std::string_view bytes) {
        for (char c : bytes) {
            if (c == '\b') {
                if (!line.empty()) line.pop_back();
            } else if (c == '\r') {
                out.push_back(line);
                line.clear();
            } else if (c != '\n') {
                if (line.size() == LineAssembler::MaxLineLength) {
                    line.erase(0, LineAssembler::MaxLineLength - LineAssembler::KeptOnOverflow);
                    dropped += LineAssembler::MaxLineLength - LineAssembler::KeptOnOverflow;
                }
                line.push_back(c);
            }
        }
    }
};

TEST(LineAssembler, AnySplitOfTheBytesGivesWhatByteByByteGives) {
    std::string bytes;
    for (int n = 0; n < 40; ++n)
        bytes += "\x01@\t7\t" + std::to_string(n) + "\t4012345\t12.345\r\n";
    bytes += "@05\b\b\b6\r\b\b\r\n\n" + std::string(2500, 'z') + "\b\r" +
             std::string(LineAssembler::MaxLineLength, 'y') + "\r" +
             std::string(LineAssembler::MaxLineLength + 1, 'w') + "\r" + std::string(700, 'v') +
             "\b" + std::string(700, 'u') + "\r@1";
    ByteByByte reference;
    reference.feed(bytes);
    for (const size_t block :
         {size_t{1}, size_t{2}, size_t{7}, size_t{64}, size_t{1023}, size_t{1025}, bytes.size()}) {
        LineAssembler lines;
        std::vector<std::string> blocks;
        for (size_t i = 0; i < bytes.size(); i += block) blocks.push_back(bytes.substr(i, block));
        EXPECT_EQ(feedAll(lines, blocks), reference.out) << block;
        EXPECT_EQ(lines.pending(), reference.line) << block;
        EXPECT_EQ(lines.droppedBytes(), reference.dropped) << block;
    }
}

TEST(LineAssembler, ResetForgetsTheUnfinishedLine) {
    LineAssembler lines;
    feedAll(lines, {"\x01@\t7\t1\t40"});
    lines.reset();
    EXPECT_EQ(feedAll(lines, {"@1\r"}), std::vector<std::string>{"@1"});
}

} // namespace
