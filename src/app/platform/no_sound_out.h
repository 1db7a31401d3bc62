#pragma once

#include "ports/sound_out.h"

namespace vexa {

// The sound output of a PC without an audio device: nothing is loaded and nothing is heard.
class NoSoundOut : public SoundOut {
  public:
    void load(int, const std::filesystem::path&) override {}
    bool active() const override { return false; }
    void play(int, int) override {}
};

} // namespace vexa
