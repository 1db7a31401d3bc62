#pragma once

#include "sound/mixer.h"

#include <QtGlobal>

#include <vector>

class QIODevice;

namespace vexa {

// Writes the next whole frames of the mixer's stream that fit into `freeBytes` to the device,
// as native 16-bit samples; `buffer` is scratch space kept between calls. Returns the bytes
// written.
qint64 feedMixer(Mixer& mixer, QIODevice& device, qint64 freeBytes, std::vector<int16_t>& buffer);

} // namespace vexa
