#include "timing/p3_frame_reader.h"

namespace vexa {

std::optional<P3Frame> P3FrameReader::finish() {
    const std::span<const uint8_t> frame(buffer_.data(), size_);
    size_ = 0;
    switch (checkP3Frame(frame)) {
    case P3FrameFault::None:
        ++counts_.frames;
        return p3FrameView(frame);
    case P3FrameFault::BadLength:
        ++counts_.badLength;
        break;
    case P3FrameFault::BadCrc:
        ++counts_.badCrc;
        break;
    case P3FrameFault::BadFields:
        ++counts_.badFields;
        break;
    }
    return std::nullopt;
}

} // namespace vexa
