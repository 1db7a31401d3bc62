#include "p3_sample_frames.h"
#include "timing/p3_frame_reader.h"
#include "timing/p3_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace vexa;
using namespace vexa::test;

namespace {

// What came out of a reader: the type and unescaped size of each frame handed on.
struct Seen {
    P3Tor tor;
    uint8_t version;
    size_t size;
    friend bool operator==(const Seen&, const Seen&) = default;
};

std::vector<Seen> feedAll(P3FrameReader& reader, const std::vector<std::string>& blocks) {
    std::vector<Seen> out;
    for (const std::string& block : blocks)
        reader.feed(block, [&](const P3Frame& f) {
            out.push_back({f.tor, f.version, f.bytes.size()});
        });
    return out;
}

TEST(P3FrameReader, ReadsTheRecordsOfDecodersAndClients) {
    const struct {
        const char* name;
        const char* frame;
        P3Tor tor;
        uint8_t version;
        size_t size; // unescaped
    } cases[] = {
        {"AMB RC status", p3::StatusAmbRc, P3Tor::Status, 2, 31},
        {"ProChip status", p3::StatusProChip, P3Tor::Status, 2, 31},
        {"AMB RC passing", p3::PassingAmbRc, P3Tor::Passing, 2, 51},
        {"escapes in the CRC and in a value", p3::PassingEscaped, P3Tor::Passing, 2, 51},
        {"ProChip rider", p3::PassingProChipRider, P3Tor::Passing, 2, 61},
        {"ProChip beacon", p3::PassingProChipBeacon, P3Tor::Passing, 2, 43},
        {"transponder code only", p3::PassingCodeOnly, P3Tor::Passing, 2, 61},
        {"version byte 1", p3::PassingVersion1, P3Tor::Passing, 1, 54},
        {"another passing", p3::PassingSample, P3Tor::Passing, 2, 51},
        {"CRC 0x0000", p3::PassingZeroCrc, P3Tor::Passing, 2, 39},
        {"request with length 0", p3::GetTimeRequestLengthZero, P3Tor::GetTime, 0, 17},
        {"resend request", p3::Resend711881, P3Tor::Resend, 2, 23},
    };
    for (const auto& c : cases) {
        P3FrameReader reader;
        EXPECT_EQ(feedAll(reader, {wire(c.frame)}), (std::vector<Seen>{{c.tor, c.version, c.size}}))
            << c.name;
        EXPECT_EQ(reader.counts().dropped(), 0u) << c.name;
        EXPECT_EQ(reader.counts().skippedBytes, 0u) << c.name;
    }
}

TEST(P3FrameReader, UnescapesTheWholeFrame) {
    P3FrameReader reader;
    std::vector<uint8_t> bytes;
    reader.feed(wire(p3::PassingEscaped),
                [&](const P3Frame& f) { bytes.assign(f.bytes.begin(), f.bytes.end()); });
    EXPECT_EQ(bytes, hex("8E 02 33 00 8F D4 00 00 01 00 01 04 8F 68 02 00 03 04 2F 79 34 00 04 08 "
                         "F0 E5 AD 83 1F 83 05 00 05 02 9B 00 06 02 1D 00 08 02 00 00 81 04 13 "
                         "18 04 00 8F"));
}

// The fault, and whether the good frame after it still comes through.
TEST(P3FrameReader, DropsAndCountsDamagedFrames) {
    std::string badValue = wire(p3::PassingAmbRc);
    badValue[34] = 0x6b; // strength 106 becomes 107
    std::string swappedCrc = wire(p3::PassingAmbRc);
    std::swap(swappedCrc[4], swappedCrc[5]);
    std::string longer = wire(p3::PassingAmbRc);
    longer[2] = 0x34;
    // The length must count unescaped bytes: 53 is the size on the wire.
    std::string wireLength = wire(p3::PassingEscaped);
    wireLength[2] = 0x35;
    std::string lostByte = wire(p3::PassingAmbRc);
    lostByte.erase(20, 1);
    const std::string good = wire(p3::StatusAmbRc);
    const std::string passing = wire(p3::PassingAmbRc);

    const struct {
        const char* name;
        std::string bytes;
        size_t badLength, badCrc, badFields, broken;
    } cases[] = {
        {"a value byte changed", badValue, 0, 1, 0, 0},
        {"CRC bytes in the wrong order", swappedCrc, 0, 1, 0, 0},
        {"length field too large", longer, 1, 0, 0, 0},
        {"length of the escaped bytes", wireLength, 1, 0, 0, 0},
        {"a byte lost in transit", lostByte, 1, 0, 0, 0},
        {"shorter than a header", wire("8E 02 0A 00 00 00 00 00 01 8F"), 1, 0, 0, 0},
        {"a field runs past the end",
         wire("8E 02 15 00 06 31 00 00 01 00 01 04 01 00 00 00 05 05 "
              "6A 00 8F"),
         0, 0, 1, 0},
        {"cut off by the next frame", passing.substr(0, 30), 0, 0, 0, 1},
        {"escape before the end", passing.substr(0, 30) + "\x8D\x8F", 0, 0, 0, 1},
        {"escape after an escape", passing.substr(0, 30) + "\x8D\x8D" + passing.substr(30), 0, 0, 0,
         1},
        {"longer than the buffer",
         "\x8E" + std::string(P3FrameReader::MaxFrameLength * 3, '\x01') + "\x8F", 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        P3FrameReader reader;
        // Fed in two blocks split in the middle of the damaged frame.
        const size_t half = c.bytes.size() / 2;
        const std::vector<Seen> seen =
            feedAll(reader, {c.bytes.substr(0, half), c.bytes.substr(half) + good});
        EXPECT_EQ(seen, (std::vector<Seen>{{P3Tor::Status, 2, 31}})) << c.name;
        EXPECT_EQ(reader.counts().badLength, c.badLength) << c.name;
        EXPECT_EQ(reader.counts().badCrc, c.badCrc) << c.name;
        EXPECT_EQ(reader.counts().badFields, c.badFields) << c.name;
        EXPECT_EQ(reader.counts().broken, c.broken) << c.name;
        EXPECT_EQ(reader.counts().frames, 1u) << c.name;
    }
}

TEST(P3FrameReader, StartsMidFrameAndSkipsLineNoise) {
    const std::string passing = wire(p3::PassingAmbRc);
    P3FrameReader reader;
    const std::vector<Seen> seen =
        feedAll(reader, {passing.substr(17), "\r\n", wire(p3::StatusAmbRc) + "\x0d" + passing});
    EXPECT_EQ(seen, (std::vector<Seen>{{P3Tor::Status, 2, 31}, {P3Tor::Passing, 2, 51}}));
    EXPECT_EQ(reader.counts().skippedBytes, passing.size() - 17 + 3);
    EXPECT_EQ(reader.counts().dropped(), 0u);
}

TEST(P3FrameReader, ResetForgetsTheUnfinishedFrame) {
    const std::string passing = wire(p3::PassingAmbRc);
    P3FrameReader reader;
    feedAll(reader, {passing.substr(0, 25)});
    EXPECT_TRUE(reader.midFrame());
    reader.reset();
    EXPECT_FALSE(reader.midFrame());
    // The rest of the old frame is noise now, not a frame of its own.
    EXPECT_EQ(feedAll(reader, {passing.substr(25) + passing}),
              (std::vector<Seen>{{P3Tor::Passing, 2, 51}}));
    EXPECT_EQ(reader.counts().dropped(), 0u);
}

// A capture-like stream, cut into blocks of random sizes, gives the same passings each time.
TEST(P3FrameReader, StreamInRandomBlocksGivesTheSamePassings) {
    std::string badCrc = wire(p3::PassingProChipRider);
    badCrc[30] ^= 0x01;
    const std::string passing = wire(p3::PassingAmbRc);
    std::string round = passing.substr(23) + // the connection opens in the middle of a record
                        wire(p3::StatusAmbRc) + wire(p3::PassingEscaped) + wire(p3::PassingAmbRc) +
                        "\r\n" + wire(p3::PassingProChipRider) + badCrc +
                        wire(p3::PassingProChipBeacon) + passing.substr(0, 40) + // cut short
                        wire(p3::PassingCodeOnly) + wire(p3::StatusProChip) +
                        wire(p3::PassingVersion1) + wire(p3::PassingSample) +
                        wire(p3::PassingZeroCrc) + wire(p3::PassingEscaped);
    const std::vector<uint32_t> roundPassings = {157839, 113736, 8857, 8855,  290114,
                                                 17,     68681,  5112, 157839};
    std::string stream;
    std::vector<uint32_t> expected;
    for (int i = 0; i < 20; ++i) {
        stream += round;
        expected.insert(expected.end(), roundPassings.begin(), roundPassings.end());
    }

    auto passingsOf = [&](const std::vector<size_t>& cuts, P3FrameCounts& counts) {
        P3FrameReader reader;
        std::vector<uint32_t> numbers;
        size_t at = 0;
        for (size_t cut : cuts) {
            reader.feed(std::string_view(stream).substr(at, cut - at), [&](const P3Frame& f) {
                if (const auto p = readP3Passing(f)) numbers.push_back(p->passingNumber);
            });
            at = cut;
        }
        counts = reader.counts();
        return numbers;
    };

    std::vector<std::vector<size_t>> cuttings = {{stream.size()}};
    std::vector<size_t> everyByte;
    for (size_t i = 1; i <= stream.size(); ++i) everyByte.push_back(i);
    cuttings.push_back(everyByte);
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        // Some seeds cut small, some large, up to the whole buffer.
        const size_t largest = seed % 4 == 0 ? stream.size() : size_t{1} << (seed % 12);
        std::uniform_int_distribution<size_t> size(1, largest);
        std::vector<size_t> cuts;
        for (size_t at = 0; at < stream.size();)
            cuts.push_back(at = std::min(stream.size(), at + size(random)));
        cuttings.push_back(cuts);
    }
    for (size_t i = 0; i < cuttings.size(); ++i) {
        P3FrameCounts counts;
        EXPECT_EQ(passingsOf(cuttings[i], counts), expected) << "cutting " << i;
        EXPECT_EQ(counts.frames, 20u * 11) << "cutting " << i;
        EXPECT_EQ(counts.badCrc, 20u) << "cutting " << i;
        EXPECT_EQ(counts.broken, 20u) << "cutting " << i;
        EXPECT_EQ(counts.dropped(), 40u) << "cutting " << i;
    }
}

} // namespace
