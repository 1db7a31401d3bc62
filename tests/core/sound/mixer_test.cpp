#include "sound/mixer.h"

#include "sound/wav_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {
constexpr AudioFormat Mono{22050, 1};

// A sound of `frames` frames, all of one value, in the mixer's format.
Pcm level(int16_t value, size_t frames) {
    return {Mono, std::vector<int16_t>(frames, value)};
}

std::vector<int16_t> pull(Mixer& mixer, size_t samples) {
    std::vector<int16_t> out(samples, 12345);
    mixer.pull(out);
    return out;
}
} // namespace

TEST(Mixer, SoundsOnOneChannelPlayOneAfterAnother) {
    using V = std::vector<int16_t>;
    // However the device cuts the stream into buffers, the queue plays without gap or overlap.
    for (const size_t buffer : {1, 2, 3, 7, 64}) {
        Mixer mixer(Mono);
        mixer.load(1, level(100, 3));
        mixer.load(2, level(200, 2));
        mixer.play(1, 1);
        mixer.play(1, 2);
        mixer.play(1, 1);
        EXPECT_EQ(mixer.waiting(1), 3u);
        V stream;
        while (stream.size() < 10) {
            const V part = pull(mixer, buffer);
            stream.insert(stream.end(), part.begin(), part.end());
        }
        stream.resize(10);
        EXPECT_EQ(stream, (V{100, 100, 100, 200, 200, 100, 100, 100, 0, 0})) << buffer;
        EXPECT_FALSE(mixer.playing()) << buffer;
    }
}

TEST(Mixer, ChannelsSoundTogetherClippedTo16Bits) {
    Mixer mixer(Mono);
    mixer.load(1, Pcm{Mono, {1000, 30000, -30000, 20000}});
    mixer.load(2, Pcm{Mono, {-300, 30000, -30000, 20000}});
    mixer.load(3, Pcm{Mono, {7, 7, 7, -30000}});
    mixer.play(0, 1);
    mixer.play(1, 2);
    mixer.play(2, 3);
    EXPECT_EQ(pull(mixer, 5), (std::vector<int16_t>{707, 32767, -32768, 10000, 0}));
}

TEST(Mixer, StereoFramesStayWhole) {
    const AudioFormat stereo{22050, 2};
    Mixer mixer(stereo);
    mixer.load(1, Pcm{stereo, {1, -1, 2, -2}});
    mixer.play(0, 1);
    mixer.play(1, 1);
    mixer.play(1, 1);
    EXPECT_EQ(pull(mixer, 10), (std::vector<int16_t>{2, -2, 4, -4, 1, -1, 2, -2, 0, 0}));
}

TEST(Mixer, EmptySlotsAreSilentAndTakeNoTime) {
    TempDir dir;
    writeBytes(dir.path() / "garbage.wav", {'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0xFF, 'W'});
    std::vector<uint8_t> truncated = wav16(1, 22050, {5, 5, 5});
    truncated.resize(40); // ends inside the data chunk's header
    writeBytes(dir.path() / "truncated.wav", truncated);
    writeBytes(dir.path() / "good.wav", wav16(1, 22050, {5, 5}));

    Mixer mixer(Mono);
    EXPECT_TRUE(mixer.load(4, dir.path() / "good.wav"));
    EXPECT_FALSE(mixer.load(1, dir.path() / "missing.wav"));
    EXPECT_FALSE(mixer.load(2, dir.path() / "garbage.wav"));
    EXPECT_FALSE(mixer.load(3, dir.path() / "truncated.wav"));
    for (int slot : {0, 1, 2, 3, 99}) EXPECT_FALSE(mixer.loaded(slot)) << slot;

    mixer.play(1, 1);
    mixer.play(1, 2);
    mixer.play(1, 4);
    mixer.play(1, 3);
    mixer.play(1, 99);
    mixer.play(1, 4);
    EXPECT_EQ(mixer.waiting(1), 2u);
    EXPECT_EQ(pull(mixer, 6), (std::vector<int16_t>{5, 5, 5, 5, 0, 0}));

    // A file that has gone missing empties the slot it once filled.
    EXPECT_FALSE(mixer.load(4, dir.path() / "missing.wav"));
    mixer.play(1, 4);
    EXPECT_FALSE(mixer.playing());
}

TEST(Mixer, IgnoresSlotsAndChannelsOutOfRange) {
    Mixer mixer(Mono);
    EXPECT_FALSE(mixer.load(-1, level(1, 1)));
    EXPECT_FALSE(mixer.load(Mixer::MaxSlots, level(1, 1)));
    EXPECT_TRUE(mixer.load(Mixer::MaxSlots - 1, level(1, 1)));
    for (const auto& [channel, slot] : std::vector<std::pair<int, int>>{
             {-1, 1}, {Mixer::ChannelCount, 1}, {0, -5}, {0, Mixer::MaxSlots}, {0, 1 << 30}})
        mixer.play(channel, slot);
    EXPECT_FALSE(mixer.playing());
    EXPECT_EQ(mixer.waiting(-1), 0u);
    EXPECT_EQ(mixer.waiting(Mixer::ChannelCount), 0u);
}

TEST(Mixer, ConvertsSoundsToItsFormat) {
    Mixer mixer(Mono);
    // 11025 Hz stereo: each frame becomes the average of left and right, twice as many frames.
    mixer.load(1, Pcm{{11025, 2}, {100, 300, 100, 300}});
    mixer.play(0, 1);
    EXPECT_EQ(pull(mixer, 5), (std::vector<int16_t>{200, 200, 200, 200, 0}));

    // A new format converts every loaded sound anew and drops what was queued.
    mixer.play(0, 1);
    mixer.setFormat({44100, 2});
    EXPECT_FALSE(mixer.playing());
    mixer.play(0, 1);
    const std::vector<int16_t> out = pull(mixer, 18);
    EXPECT_EQ(std::count(out.begin(), out.end(), 100), 8);
    EXPECT_EQ(std::count(out.begin(), out.end(), 300), 8);
    EXPECT_EQ(out[16], 0);
}

TEST(Mixer, QueuedSoundOutlivesItsSlot) {
    Mixer mixer(Mono);
    mixer.load(1, level(9, 2));
    mixer.play(0, 1);
    mixer.load(1, std::nullopt);
    EXPECT_EQ(pull(mixer, 3), (std::vector<int16_t>{9, 9, 0}));
}

TEST(Mixer, BacklogOfAStalledDeviceIsBounded) {
    Mixer mixer(Mono);
    mixer.load(1, level(1, 1));
    for (size_t i = 0; i < Mixer::MaxQueued + 50; ++i) mixer.play(2, 1);
    EXPECT_EQ(mixer.waiting(2), Mixer::MaxQueued);
    std::vector<int16_t> out = pull(mixer, Mixer::MaxQueued + 1);
    EXPECT_EQ(out[Mixer::MaxQueued - 1], 1);
    EXPECT_EQ(out[Mixer::MaxQueued], 0);
}
