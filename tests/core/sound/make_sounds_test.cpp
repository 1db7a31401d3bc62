#include "race/sound_table.h"
#include "sound/mixer.h"
#include "sound/wav_bytes.h"
#include "sound/wav_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace vexa;
using namespace vexa::test;

namespace {
std::vector<uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

TEST(SoundTable, CompleteOnlyWithAFileForEverySound) {
    TempDir home;
    const std::filesystem::path sounds = home.path() / "sounds";
    EXPECT_FALSE(soundTableComplete(sounds)) << "no folder";
    std::filesystem::create_directories(sounds);
    for (int slot = 1; slot < Sound::SlotCount; ++slot)
        if (*SoundFileName(slot) != '\0') writeBytes(sounds / SoundFileName(slot), {'x'});
    EXPECT_TRUE(soundTableComplete(sounds));
    std::filesystem::remove(sounds / "started.wav");
    std::filesystem::create_directory(sounds / "started.wav");
    EXPECT_FALSE(soundTableComplete(sounds)) << "a folder is no sound";
}

// The set-up script makes the sound table's files; the mixer must load every one of them.
TEST(MakeSounds, MakesEveryMissingSoundAndKeepsTheClubsOwn) {
#ifdef _WIN32
    GTEST_SKIP() << "the sound script runs under bash, which Windows does not have";
#endif
    if (std::system("command -v espeak-ng >/dev/null 2>&1 && command -v sox >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "espeak-ng or sox is not installed";
    TempDir home;
    const std::filesystem::path sounds = home.path() / "sounds";
    std::filesystem::create_directories(sounds);
    const std::vector<uint8_t> ownRecording = wav16(1, 8000, {1, 2, 3});
    const std::vector<uint8_t> notASound = {'o', 'w', 'n'};
    writeBytes(sounds / "one.wav", ownRecording);
    writeBytes(sounds / "start.wav", notASound);

    const std::string command = std::string("bash '") + VEXA_SOURCE_DIR +
                                "/scripts/make_sounds.sh' '" + sounds.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(soundTableComplete(sounds));

    EXPECT_EQ(readBytes(sounds / "one.wav"), ownRecording);
    EXPECT_EQ(readBytes(sounds / "start.wav"), notASound);
    Mixer mixer;
    size_t made = 0;
    for (int slot = 1; slot < Sound::SlotCount; ++slot) {
        const std::string name = SoundFileName(slot);
        if (name.empty() || name == "one.wav" || name == "start.wav") continue;
        const std::optional<Pcm> pcm = readWavFile(sounds / name);
        ASSERT_TRUE(pcm) << name;
        EXPECT_EQ(pcm->format, DefaultAudioFormat) << name;
        EXPECT_TRUE(mixer.load(slot, sounds / name)) << name;
        ++made;
    }
    EXPECT_EQ(made, 52u);
    const auto files = std::distance(std::filesystem::directory_iterator(sounds),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 54) << "nothing but the sound table's files";

    // The three pass beeps are short and tell apart.
    const auto beep = [&](int slot) { return readWavFile(sounds / SoundFileName(slot))->samples; };
    for (int slot : {Sound::CarPass, Sound::CarPassNo, Sound::CarPassFtd})
        EXPECT_LT(beep(slot).size(), DefaultAudioFormat.sampleRate / 4u) << slot;
    EXPECT_NE(beep(Sound::CarPass), beep(Sound::CarPassNo));
    EXPECT_NE(beep(Sound::CarPass), beep(Sound::CarPassFtd));
    EXPECT_NE(beep(Sound::CarPassNo), beep(Sound::CarPassFtd));
}
