#include "sound/pcm_convert.h"

#include <gtest/gtest.h>

using namespace vexa;

TEST(PcmConvert, MapsChannels) {
    struct Case {
        const char* name;
        int inChannels;
        std::vector<int16_t> in;
        int channels;
        std::vector<int16_t> out;
    };
    const std::vector<Case> cases = {
        {"mono to stereo", 1, {100, -200}, 2, {100, 100, -200, -200}},
        {"stereo to mono", 2, {100, 300, -32768, -32768}, 1, {200, -32768}},
        {"three to stereo", 3, {1, 2, 3, 4, 5, 6}, 2, {1, 2, 4, 5}},
        {"stereo to three", 2, {1, 2, 3, 4}, 3, {1, 2, 2, 3, 4, 4}},
    };
    for (const Case& c : cases) {
        const Pcm out = convertPcm(Pcm{{8000, c.inChannels}, c.in}, {8000, c.channels});
        EXPECT_EQ(out.format, (AudioFormat{8000, c.channels})) << c.name;
        EXPECT_EQ(out.samples, c.out) << c.name;
    }
}

TEST(PcmConvert, ChangesRate) {
    // Raising interpolates between neighbours, lowering averages what falls into a frame.
    EXPECT_EQ(convertPcm({{11025, 1}, {0, 1000, -1000}}, {22050, 1}).samples,
              (std::vector<int16_t>{0, 500, 1000, 0, -1000, -1000}));
    EXPECT_EQ(convertPcm({{44100, 2}, {0, 10, 100, 20, 200, 30, 300, 40}}, {22050, 2}).samples,
              (std::vector<int16_t>{50, 15, 250, 35}));
    // The result keeps the length of the sound in time.
    for (const int from : {8000, 11025, 16000, 22050, 32000, 44100, 48000, 96000}) {
        for (const int to : {22050, 44100, 48000}) {
            const Pcm second{{from, 1}, std::vector<int16_t>(static_cast<size_t>(from), 5)};
            const Pcm out = convertPcm(second, {to, 1});
            EXPECT_EQ(out.frames(), static_cast<size_t>(to)) << from << " to " << to;
            EXPECT_EQ(out.samples.front(), 5) << from << " to " << to;
            EXPECT_EQ(out.samples.back(), 5) << from << " to " << to;
        }
    }
}

TEST(PcmConvert, KeepsAToneInTune) {
    // A 1000 Hz square wave at 48000 Hz still changes sign 2000 times a second at 22050 Hz.
    Pcm tone{{48000, 1}, {}};
    for (int i = 0; i < 48000; ++i) tone.samples.push_back((i / 24) % 2 == 0 ? 8000 : -8000);
    const Pcm out = convertPcm(tone, {22050, 2});
    int changes = 0;
    for (size_t f = 1; f < out.frames(); ++f)
        if ((out.samples[2 * f] < 0) != (out.samples[2 * f - 2] < 0)) ++changes;
    EXPECT_NEAR(changes, 2000, 2);
}

TEST(PcmConvert, NothingComesOfNothing) {
    EXPECT_TRUE(convertPcm({{22050, 1}, {}}, {44100, 2}).samples.empty());
    EXPECT_TRUE(convertPcm({{22050, 1}, {1, 2}}, {0, 1}).samples.empty());
    EXPECT_TRUE(convertPcm({{22050, 1}, {1, 2}}, {22050, 0}).samples.empty());
}
