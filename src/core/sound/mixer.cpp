#include "sound/mixer.h"

#include "sound/pcm_convert.h"
#include "sound/wav_reader.h"

#include <algorithm>
#include <limits>

namespace vexa {

Mixer::Mixer(AudioFormat format) : format_(format) {}

void Mixer::setFormat(AudioFormat format) {
    if (format.sampleRate < 1 || format.channels < 1) return;
    format_ = format;
    for (Slot& slot : slots_) slot.converted = convert(slot.original);
    for (auto& queue : queues_) queue.clear();
}

Mixer::Samples Mixer::convert(const std::shared_ptr<const Pcm>& sound) const {
    if (!sound) return nullptr;
    if (sound->format == format_) return Samples(sound, &sound->samples);
    auto converted =
        std::make_shared<const std::vector<int16_t>>(convertPcm(*sound, format_).samples);
    return converted->empty() ? nullptr : converted;
}

bool Mixer::load(int slot, const std::filesystem::path& file) {
    return load(slot, readWavFile(file));
}

bool Mixer::load(int slot, std::optional<Pcm> sound) {
    if (slot < 0 || slot >= MaxSlots) return false;
    if (static_cast<size_t>(slot) >= slots_.size()) slots_.resize(static_cast<size_t>(slot) + 1);
    Slot& target = slots_[static_cast<size_t>(slot)];
    // A sound already queued keeps its samples: the queue holds its own reference.
    target = {};
    if (sound && sound->frames() > 0) {
        target.original = std::make_shared<const Pcm>(std::move(*sound));
        target.converted = convert(target.original);
    }
    return target.converted != nullptr;
}

bool Mixer::loaded(int slot) const {
    return slot >= 0 && static_cast<size_t>(slot) < slots_.size() &&
           slots_[static_cast<size_t>(slot)].converted != nullptr;
}

void Mixer::play(int channel, int slot) {
    if (channel < 0 || channel >= ChannelCount || !loaded(slot)) return;
    auto& queue = queues_[static_cast<size_t>(channel)];
    if (queue.size() >= MaxQueued) return;
    queue.push_back({slots_[static_cast<size_t>(slot)].converted, 0});
}

size_t Mixer::waiting(int channel) const {
    if (channel < 0 || channel >= ChannelCount) return 0;
    return queues_[static_cast<size_t>(channel)].size();
}

bool Mixer::playing() const {
    return std::any_of(queues_.begin(), queues_.end(), [](const auto& q) { return !q.empty(); });
}

void Mixer::pull(std::span<int16_t> out) {
    if (!playing()) {
        std::fill(out.begin(), out.end(), int16_t{0});
        return;
    }
    sum_.assign(out.size(), 0);
    for (auto& queue : queues_) {
        size_t at = 0;
        // The next sound of the queue starts on the sample after the last one ended.
        while (at < out.size() && !queue.empty()) {
            Voice& voice = queue.front();
            const std::vector<int16_t>& samples = *voice.samples;
            const size_t count = std::min(out.size() - at, samples.size() - voice.position);
            for (size_t i = 0; i < count; ++i) sum_[at + i] += samples[voice.position + i];
            at += count;
            voice.position += count;
            if (voice.position >= samples.size()) queue.pop_front();
        }
    }
    constexpr int32_t low = std::numeric_limits<int16_t>::min();
    constexpr int32_t high = std::numeric_limits<int16_t>::max();
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<int16_t>(std::clamp(sum_[i], low, high));
}

} // namespace vexa
