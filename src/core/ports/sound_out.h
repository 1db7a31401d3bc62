#pragma once

#include <filesystem>

namespace vexa {

// The sound mixer: sounds loaded into numbered slots and played queued per channel. Sounds
// queued on one channel play one after the other; different channels sound at the same time.
// Playing must never block the caller.
class SoundOut {
  public:
    virtual ~SoundOut() = default;
    // Loads one sound file into a slot; a missing or unreadable file leaves the slot empty.
    virtual void load(int slot, const std::filesystem::path& file) = 0;
    // Whether the mixer is open and playing; nothing is heard while it is not.
    virtual bool active() const = 0;
    // Queues the slot's sound behind the sounds waiting on the channel. An empty slot is silent.
    virtual void play(int channel, int slot) = 0;
};

} // namespace vexa
