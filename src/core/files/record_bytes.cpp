#include "files/record_bytes.h"

#include <algorithm>

namespace vexa {

void RecordWriter::int32(size_t offset, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(u >> (8 * i));
}

void RecordWriter::byte(size_t offset, uint8_t value) {
    bytes_[offset] = value;
}

void RecordWriter::shortString(size_t offset, size_t capacity, const std::string& text) {
    const size_t length = std::min(text.size(), capacity);
    bytes_[offset] = static_cast<uint8_t>(length);
    std::copy_n(text.begin(), length, bytes_.begin() + static_cast<long>(offset + 1));
}

void RecordWriter::real48(size_t offset, double value) {
    const Real48 r = toReal48(value);
    std::copy(r.begin(), r.end(), bytes_.begin() + static_cast<long>(offset));
}

int32_t RecordReader::int32(size_t offset) const {
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | data_[offset + i];
    return static_cast<int32_t>(u);
}

std::string RecordReader::shortString(size_t offset, size_t capacity) const {
    const size_t length = std::min<size_t>(data_[offset], capacity);
    return std::string(reinterpret_cast<const char*>(data_ + offset + 1), length);
}

double RecordReader::real48(size_t offset) const {
    Real48 r;
    std::copy_n(data_ + offset, 6, r.begin());
    return fromReal48(r);
}

} // namespace vexa
