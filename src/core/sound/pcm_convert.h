#pragma once

#include "sound/pcm.h"

namespace vexa {

// The sound in another rate and channel count. Channels: mono is copied to every output
// channel, several become mono as their average, otherwise output channel c takes input
// channel c (the last one where the input has fewer). Rate: a higher rate is brought down by
// averaging the input frames that fall into each output frame, a lower one is raised by
// straight-line interpolation. A sound without frames, or a target without a rate or channels,
// gives no samples.
Pcm convertPcm(const Pcm& sound, AudioFormat to);

} // namespace vexa
