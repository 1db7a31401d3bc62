#include "sound/pcm_convert.h"

#include <algorithm>

namespace vexa {

namespace {
Pcm mapChannels(const Pcm& sound, int channels) {
    const int from = sound.format.channels;
    if (from == channels) return sound;
    const size_t frames = sound.frames();
    Pcm out;
    out.format = {sound.format.sampleRate, channels};
    out.samples.resize(frames * static_cast<size_t>(channels));
    for (size_t f = 0; f < frames; ++f) {
        const int16_t* in = &sound.samples[f * static_cast<size_t>(from)];
        int16_t* to = &out.samples[f * static_cast<size_t>(channels)];
        if (channels == 1) {
            int32_t sum = 0;
            for (int c = 0; c < from; ++c) sum += in[c];
            to[0] = static_cast<int16_t>(sum / from);
        } else {
            for (int c = 0; c < channels; ++c) to[c] = in[std::min(c, from - 1)];
        }
    }
    return out;
}

Pcm changeRate(const Pcm& sound, int rate) {
    const auto from = static_cast<uint64_t>(sound.format.sampleRate);
    const auto to = static_cast<uint64_t>(rate);
    if (from == to) return sound;
    const size_t channels = static_cast<size_t>(sound.format.channels);
    const uint64_t inFrames = sound.frames();
    const uint64_t outFrames = std::max<uint64_t>(1, (inFrames * to + from / 2) / from);
    Pcm out;
    out.format = {rate, sound.format.channels};
    out.samples.resize(static_cast<size_t>(outFrames) * channels);
    const auto in = [&](uint64_t frame, size_t c) {
        return static_cast<int64_t>(sound.samples[static_cast<size_t>(frame) * channels + c]);
    };
    for (uint64_t i = 0; i < outFrames; ++i) {
        for (size_t c = 0; c < channels; ++c) {
            int64_t value;
            if (from > to) {
                // The input frames that fall into this output frame, averaged.
                const uint64_t first = std::min(i * from / to, inFrames - 1);
                const uint64_t last = std::clamp((i + 1) * from / to, first + 1, inFrames);
                int64_t sum = 0;
                for (uint64_t k = first; k < last; ++k) sum += in(k, c);
                value = sum / static_cast<int64_t>(last - first);
            } else {
                const uint64_t position = i * from;
                const uint64_t k = std::min(position / to, inFrames - 1);
                const auto fraction = static_cast<int64_t>(position % to);
                const int64_t a = in(k, c);
                const int64_t b = in(std::min(k + 1, inFrames - 1), c);
                value = a + (b - a) * fraction / static_cast<int64_t>(to);
            }
            out.samples[static_cast<size_t>(i) * channels + c] = static_cast<int16_t>(value);
        }
    }
    return out;
}
} // namespace

Pcm convertPcm(const Pcm& sound, AudioFormat to) {
    if (sound.frames() == 0 || to.sampleRate < 1 || to.channels < 1) return Pcm{to, {}};
    if (sound.format == to) return sound;
    // Fewer channels first, so the rate change has less to do.
    if (to.channels < sound.format.channels)
        return changeRate(mapChannels(sound, to.channels), to.sampleRate);
    return mapChannels(changeRate(sound, to.sampleRate), to.channels);
}

} // namespace vexa
