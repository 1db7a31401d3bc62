#include "sound/wav_reader.h"

#include "sound/wav_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {
std::vector<uint8_t> withData(const std::vector<uint8_t>& fmt, const std::vector<uint8_t>& data) {
    return riff({chunk("fmt ", fmt), chunk("data", data)});
}
} // namespace

TEST(WavReader, SampleFormatsBecome16Bit) {
    // The extensible header: size 22 of extra bytes, valid bits, channel mask, GUID of PCM.
    const std::vector<uint8_t> extensible =
        concat({fmtBody(0xFFFE, 1, 8000, 16), le16(22), le16(16), le32(4), le16(1),
                hex("00 00 00 00 10 00 80 00 00 AA 00 38 9B 71")});
    struct Case {
        const char* name;
        std::vector<uint8_t> fmt;
        std::vector<uint8_t> data;
        AudioFormat format;
        std::vector<int16_t> samples;
    };
    const std::vector<Case> cases = {
        {"8-bit unsigned",
         fmtBody(1, 1, 11025, 8),
         hex("80 FF 00 81"),
         {11025, 1},
         {0, 32512, -32768, 256}},
        {"16-bit stereo",
         fmtBody(1, 2, 44100, 16),
         hex("34 12 CC ED 00 80 FF 7F"),
         {44100, 2},
         {0x1234, -4660, -32768, 32767}},
        {"24-bit",
         fmtBody(1, 1, 48000, 24),
         hex("56 34 12 FF FF 80"),
         {48000, 1},
         {0x1234, -32513}},
        {"32-bit",
         fmtBody(1, 1, 96000, 32),
         hex("78 56 34 12 00 00 00 80"),
         {96000, 1},
         {0x1234, -32768}},
        // 0.5, 1.5 (clipped), -1.0, NaN
        {"32-bit float",
         fmtBody(3, 1, 22050, 32),
         hex("00 00 00 3F 00 00 C0 3F 00 00 80 BF 00 00 C0 7F"),
         {22050, 1},
         {16384, 32767, -32767, 0}},
        {"extensible PCM", extensible, hex("34 12"), {8000, 1}, {0x1234}},
    };
    for (const Case& c : cases) {
        const std::optional<Pcm> pcm = parseWav(withData(c.fmt, c.data));
        ASSERT_TRUE(pcm) << c.name;
        EXPECT_EQ(pcm->format, c.format) << c.name;
        EXPECT_EQ(pcm->samples, c.samples) << c.name;
    }
}

TEST(WavReader, WalksChunksWhateverTheirOrder) {
    const std::vector<uint8_t> fmt = fmtBody(1, 1, 22050, 16);
    const std::vector<uint8_t> data = hex("01 00 02 00");
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> files = {
        // An odd-sized chunk is followed by a pad byte.
        {"list chunk first",
         riff({chunk("LIST", hex("AA BB CC")), chunk("fmt ", fmt), chunk("data", data)})},
        {"format after the data", riff({chunk("data", data), chunk("fmt ", fmt)})},
        {"wrong RIFF size", concat({{'R', 'I', 'F', 'F'},
                                    le32(7),
                                    {'W', 'A', 'V', 'E'},
                                    chunk("fmt ", fmt),
                                    chunk("data", data)})},
        {"trailing junk", concat({riff({chunk("fmt ", fmt), chunk("data", data)}), hex("00 01")})},
    };
    for (const auto& [name, bytes] : files) {
        const std::optional<Pcm> pcm = parseWav(bytes);
        ASSERT_TRUE(pcm) << name;
        EXPECT_EQ(pcm->samples, (std::vector<int16_t>{1, 2})) << name;
    }
}

TEST(WavReader, DataCutShortKeepsItsWholeFrames) {
    const std::vector<uint8_t> fmt = fmtBody(1, 2, 22050, 16);
    // Streaming writers leave the size at its largest; a copy cut off ends inside a frame.
    const std::vector<uint8_t> streamed =
        riff({chunk("fmt ", fmt), chunk("data", 0xFFFFFFFF, hex("01 00 02 00 03 00 04 00"))});
    const std::vector<uint8_t> cut =
        riff({chunk("fmt ", fmt), chunk("data", 100, hex("01 00 02 00 03 00 04"), false)});
    std::optional<Pcm> pcm = parseWav(streamed);
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->samples, (std::vector<int16_t>{1, 2, 3, 4}));
    pcm = parseWav(cut);
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->samples, (std::vector<int16_t>{1, 2}));
}

TEST(WavReader, RefusesWhatIsNoPlayableSound) {
    const std::vector<uint8_t> data = hex("01 00 02 00");
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> files = {
        {"nothing", {}},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}},
        {"big-endian RIFX", concat({{'R', 'I', 'F', 'X'}, le32(36), {'W', 'A', 'V', 'E'}})},
        {"AVI", concat({{'R', 'I', 'F', 'F'}, le32(4), {'A', 'V', 'I', ' '}})},
        {"no format", riff({chunk("data", data)})},
        {"no data", riff({chunk("fmt ", fmtBody(1, 1, 22050, 16))})},
        {"format too short", withData(hex("01 00 01 00 22 56 00 00"), data)},
        {"ADPCM", withData(fmtBody(2, 1, 22050, 4), data)},
        {"12-bit", withData(fmtBody(1, 1, 22050, 12), data)},
        {"64-bit float", withData(fmtBody(3, 1, 22050, 64), data)},
        {"no channels", withData(fmtBody(1, 0, 22050, 16), data)},
        {"nine channels", withData(fmtBody(1, 9, 22050, 16), data)},
        {"rate zero", withData(fmtBody(1, 1, 0, 16), data)},
        {"rate too high", withData(fmtBody(1, 1, 1000000, 16), data)},
        {"no samples", withData(fmtBody(1, 1, 22050, 16), {})},
        {"less than a frame", withData(fmtBody(1, 2, 22050, 16), hex("01 00 02"))},
    };
    for (const auto& [name, bytes] : files) EXPECT_FALSE(parseWav(bytes)) << name;
}

TEST(WavReader, EveryTruncationIsReadSafely) {
    const std::vector<uint8_t> whole = wav16(2, 22050, {1, 2, 3, 4, 5, 6});
    const size_t header = 44; // RIFF header, fmt chunk and data chunk header
    for (size_t length = 0; length < whole.size(); ++length) {
        const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(length));
        const std::optional<Pcm> pcm = parseWav(part);
        const size_t frames = length < header ? 0 : (length - header) / 4;
        if (frames == 0) {
            EXPECT_FALSE(pcm) << length;
            continue;
        }
        ASSERT_TRUE(pcm) << length;
        EXPECT_EQ(pcm->frames(), frames) << length;
    }
}

TEST(WavReader, ReadsFilesAndMissesQuietly) {
    TempDir dir;
    writeBytes(dir.path() / "two.wav", wav16(1, 22050, {7, -7}));
    writeBytes(dir.path() / "junk.wav", {0x00, 0x01, 0x02});
    const std::optional<Pcm> pcm = readWavFile(dir.path() / "two.wav");
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->samples, (std::vector<int16_t>{7, -7}));
    EXPECT_FALSE(readWavFile(dir.path() / "junk.wav"));
    EXPECT_FALSE(readWavFile(dir.path() / "missing.wav"));
    EXPECT_FALSE(readWavFile(dir.path()));
}
