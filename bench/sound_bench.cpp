// The sound mixer: the cost of mixing while all three channels play, per second of sound (the
// share of one core the mixing takes), and the cost of converting a club's recordings at start-up.
#include "sound/mixer.h"
#include "sound/pcm_convert.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace vexa;

namespace {

// A tone of `seconds` at the format's rate, loud enough that the three channels clip.
Pcm tone(AudioFormat format, double seconds, double frequency) {
    Pcm pcm{format, {}};
    const auto frames = static_cast<size_t>(seconds * format.sampleRate);
    for (size_t f = 0; f < frames; ++f) {
        const double v =
            20000.0 * std::sin(2 * 3.14159265358979 * frequency * double(f) / format.sampleRate);
        for (int c = 0; c < format.channels; ++c) pcm.samples.push_back(static_cast<int16_t>(v));
    }
    return pcm;
}

// One second of sound mixed in the 20 ms pieces the audio device takes, three channels busy.
void BM_MixOneSecondThreeChannels(benchmark::State& state) {
    const AudioFormat format{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    Mixer mixer(format);
    for (int slot = 0; slot < Mixer::ChannelCount; ++slot)
        mixer.load(slot, tone(format, 0.7, 440.0 * (slot + 1)));
    const size_t piece = static_cast<size_t>(format.sampleRate / 50 * format.channels);
    std::vector<int16_t> out(piece);
    for (auto _ : state) {
        for (int i = 0; i < 50; ++i) {
            for (int channel = 0; channel < Mixer::ChannelCount; ++channel)
                if (mixer.waiting(channel) < 2) mixer.play(channel, channel);
            mixer.pull(out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * format.sampleRate);
    state.SetLabel("time per second of sound");
}
BENCHMARK(BM_MixOneSecondThreeChannels)
    ->Args({22050, 1})
    ->Args({44100, 2})
    ->Args({48000, 2})
    ->Unit(benchmark::kMicrosecond);

// The idle stream: silence between announcements.
void BM_MixOneSecondSilence(benchmark::State& state) {
    Mixer mixer(DefaultAudioFormat);
    std::vector<int16_t> out(static_cast<size_t>(DefaultAudioFormat.sampleRate / 50));
    for (auto _ : state) {
        for (int i = 0; i < 50; ++i) {
            mixer.pull(out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetLabel("time per second of sound");
}
BENCHMARK(BM_MixOneSecondSilence)->Unit(benchmark::kMicrosecond);

// 54 recordings of one second in 44100 Hz stereo converted to the mixer's format: the start-up
// cost of a club's own sound table.
void BM_ConvertSoundTable(benchmark::State& state) {
    const Pcm recording = tone({44100, 2}, 1.0, 440.0);
    for (auto _ : state) {
        for (int i = 0; i < 54; ++i) {
            Pcm converted = convertPcm(recording, DefaultAudioFormat);
            benchmark::DoNotOptimize(converted.samples.data());
        }
    }
}
BENCHMARK(BM_ConvertSoundTable)->Unit(benchmark::kMillisecond);

} // namespace
