#pragma once

#include "sound/pcm.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace vexa {

// Three channels of queued sounds mixed into one stream of 16-bit samples. Sounds are loaded
// into numbered slots and converted to the output format once; a sound played on a channel
// waits behind the sounds already queued there, while the channels sound together, added and
// clipped to 16 bits. The audio device takes the stream with `pull`, which never waits.
class Mixer {
  public:
    static constexpr int ChannelCount = 3;
    static constexpr int MaxSlots = 1024;
    // More sounds than this waiting on one channel are dropped: a stalled device must not
    // build a backlog of minutes that is then played long after the moment.
    static constexpr size_t MaxQueued = 256;

    explicit Mixer(AudioFormat format = DefaultAudioFormat);

    const AudioFormat& format() const { return format_; }
    // Changes the output format: every loaded sound is converted anew, queued sounds are dropped.
    void setFormat(AudioFormat format);

    // Loads a WAV file into a slot; a missing or unreadable file leaves the slot empty. Returns
    // whether the slot now holds a sound.
    bool load(int slot, const std::filesystem::path& file);
    // Puts a sound into a slot; nothing (or a sound without samples) empties it.
    bool load(int slot, std::optional<Pcm> sound);
    bool loaded(int slot) const;

    // Queues the slot's sound on a channel. An empty slot, or a slot or channel out of range,
    // plays nothing.
    void play(int channel, int slot);
    // The sounds on a channel that have not finished, the one sounding included.
    size_t waiting(int channel) const;
    bool playing() const;

    // Fills the buffer with the next frames of the mix (its size a whole number of frames in the
    // output format); silence where nothing plays.
    void pull(std::span<int16_t> out);

  private:
    using Samples = std::shared_ptr<const std::vector<int16_t>>;
    struct Slot {
        std::shared_ptr<const Pcm> original;
        Samples converted;
    };
    struct Voice {
        Samples samples;
        size_t position = 0;
    };

    Samples convert(const std::shared_ptr<const Pcm>& sound) const;

    AudioFormat format_;
    std::vector<Slot> slots_;
    std::array<std::deque<Voice>, ChannelCount> queues_;
    std::vector<int32_t> sum_;
};

} // namespace vexa
