#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexa {

// The shape of 16-bit PCM sound: frames per second and samples per frame (1 mono, 2 stereo).
struct AudioFormat {
    int sampleRate = 0;
    int channels = 0;

    bool operator==(const AudioFormat&) const = default;
};

// The mixer's output unless the sound device asks for another: 16-bit mono at 22050 Hz. The
// announcements are speech and beeps through one track-side speaker; 22050 Hz carries speech
// up to 11 kHz, is what speech synthesisers write, and costs half the mixing of 44100 Hz.
inline constexpr AudioFormat DefaultAudioFormat{22050, 1};

// 16-bit sound: interleaved samples, `format.channels` to a frame.
struct Pcm {
    AudioFormat format;
    std::vector<int16_t> samples;

    size_t frames() const {
        return format.channels > 0 ? samples.size() / static_cast<size_t>(format.channels) : 0;
    }
};

} // namespace vexa
