#include "timing/p3_frame_writer.h"

#include "timing/p3_crc.h"

#include <algorithm>

namespace vexa {

P3FrameWriter& P3FrameWriter::number(uint8_t tag, uint64_t value, int size) {
    body_.push_back(tag);
    body_.push_back(static_cast<uint8_t>(size));
    for (int i = 0; i < size; ++i) body_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
}

P3FrameWriter& P3FrameWriter::text(uint8_t tag, std::string_view value) {
    value = value.substr(0, std::min<size_t>(value.size(), 255));
    body_.push_back(tag);
    body_.push_back(static_cast<uint8_t>(value.size()));
    for (char c : value) body_.push_back(static_cast<uint8_t>(c));
    return *this;
}

P3FrameWriter& P3FrameWriter::empty(uint8_t tag) {
    body_.push_back(tag);
    body_.push_back(0);
    return *this;
}

std::string P3FrameWriter::frame(uint8_t version) const {
    const size_t length = P3HeaderLength + body_.size() + 1;
    const auto tor = static_cast<uint16_t>(tor_);
    std::vector<uint8_t> frame = {P3Byte::Start,
                                  version,
                                  static_cast<uint8_t>(length),
                                  static_cast<uint8_t>(length >> 8),
                                  0,
                                  0,
                                  0,
                                  0,
                                  static_cast<uint8_t>(tor),
                                  static_cast<uint8_t>(tor >> 8)};
    frame.insert(frame.end(), body_.begin(), body_.end());
    frame.push_back(P3Byte::End);
    const uint16_t crc = p3FrameCrc(frame);
    frame[4] = static_cast<uint8_t>(crc);
    frame[5] = static_cast<uint8_t>(crc >> 8);
    return escapeP3Frame(frame);
}

std::string escapeP3Frame(std::span<const uint8_t> frame) {
    std::string out;
    out.reserve(frame.size() + 8);
    for (size_t i = 0; i < frame.size(); ++i) {
        const uint8_t b = frame[i];
        const bool inside = i != 0 && i + 1 != frame.size();
        if (inside && b >= P3Byte::Escape && b <= P3Byte::End) {
            out.push_back(static_cast<char>(P3Byte::Escape));
            out.push_back(static_cast<char>(b + P3Byte::EscapeShift));
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
    return out;
}

} // namespace vexa
