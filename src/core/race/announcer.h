#pragma once

#include "ports/sound_out.h"

namespace vexa {

// Plays the announcement sounds: pass beeps on their own channel and only while "Passing Beeps"
// is ticked, everything else queued on the speech channel so that consecutive calls form a
// sentence.
class Announcer {
  public:
    Announcer(SoundOut& sound, const bool& passBeeps) : sound_(sound), passBeeps_(passBeeps) {}

    void playwav(int slot) const;
    // Speaks 1..99 from the number words; anything else is silent.
    void SpeakNumber(int n) const;

  private:
    SoundOut& sound_;
    const bool& passBeeps_;
};

} // namespace vexa
