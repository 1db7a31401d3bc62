#include "race/announcer.h"
#include "race/recording_ports.h"
#include "race/sound_table.h"
#include "race/virtual_time.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {
struct Speech {
    VirtualClock clock;
    RecordingPorts ports{clock};
    bool passBeeps = true;
    Announcer announcer{ports, passBeeps};
};
} // namespace

TEST(Announcer, SpeakNumberComposesWords) {
    const std::vector<std::pair<int, std::vector<std::string>>> cases = {
        {1, {"one.wav"}},
        {14, {"forteen.wav"}},
        {20, {"twenty.wav"}},
        {23, {"twenty.wav", "three.wav"}},
        {40, {"forty.wav"}},
        {47, {"forty.wav", "seven.wav"}},
        {99, {"ninty.wav", "nine.wav"}},
        {0, {}},
        {-3, {}},
        {100, {}},
    };
    for (const auto& [n, words] : cases) {
        Speech s;
        s.announcer.SpeakNumber(n);
        EXPECT_EQ(s.ports.sounds(), words) << n;
    }
}

TEST(Announcer, PassBeepsHaveTheirOwnChannelAndSwitch) {
    Speech s;
    s.announcer.playwav(Sound::CarPass);
    s.announcer.playwav(Sound::Finished);
    s.passBeeps = false;
    s.announcer.playwav(Sound::CarPassFtd);
    s.announcer.playwav(Sound::CarPassNo);
    s.announcer.SpeakNumber(7);
    // The finish call is queued on the speech channel, so it sounds together with the beep
    // instead of after it; unticked beeps are silent, speech is not.
    EXPECT_EQ(s.ports.texts("sound"),
              (std::vector<std::string>{"0 carpass.wav", "1 finished.wav", "1 seven.wav"}));
}

TEST(SoundTable, FileNamesBySlot) {
    EXPECT_STREQ(SoundFileName(0), "");
    EXPECT_STREQ(SoundFileName(28), "");
    EXPECT_STREQ(SoundFileName(19), "ninteen.wav");
    EXPECT_STREQ(SoundFileName(27), "ninty.wav");
    EXPECT_STREQ(SoundFileName(29), "cntdown.wav");
    EXPECT_STREQ(SoundFileName(55), "started.wav");
    EXPECT_STREQ(SoundFileName(56), "");
}
