#include "platform/mixer_feed.h"

#include <QIODevice>

namespace vexa {

qint64 feedMixer(Mixer& mixer, QIODevice& device, qint64 freeBytes, std::vector<int16_t>& buffer) {
    const qint64 frameBytes = qint64(sizeof(int16_t)) * mixer.format().channels;
    const qint64 frames = frameBytes > 0 ? freeBytes / frameBytes : 0;
    if (frames <= 0) return 0;
    buffer.resize(static_cast<size_t>(frames * mixer.format().channels));
    mixer.pull(buffer);
    return device.write(reinterpret_cast<const char*>(buffer.data()), frames * frameBytes);
}

} // namespace vexa
