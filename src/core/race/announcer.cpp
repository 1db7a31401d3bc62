#include "race/announcer.h"

#include "race/sound_table.h"

namespace vexa {

void Announcer::playwav(int slot) const {
    if (!sound_.active()) return;
    if (Sound::isPassBeep(slot)) {
        if (passBeeps_) sound_.play(Sound::BeepChannel, slot);
        return;
    }
    sound_.play(Sound::SpeechChannel, slot);
}

void Announcer::SpeakNumber(int n) const {
    if (n < 1 || n > 99) return;
    if (n <= 20) {
        playwav(n);
        return;
    }
    // 21..29 start with "twenty"; 30..99 with the tens word of slots 21..27.
    const int tens = n / 10;
    const int units = n % 10;
    playwav(tens == 2 ? Sound::Twenty : Sound::Thirty + tens - 3);
    if (units != 0) playwav(units);
}

} // namespace vexa
