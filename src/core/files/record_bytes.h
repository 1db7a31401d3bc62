#pragma once

#include "base/real48.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// Writes the fields of a fixed-size record at given offsets; the record starts all zero.
class RecordWriter {
  public:
    explicit RecordWriter(size_t size) : bytes_(size, 0) {}

    void int32(size_t offset, int32_t value);
    void byte(size_t offset, uint8_t value);
    // A short string: length byte, then the characters, cut to the capacity.
    void shortString(size_t offset, size_t capacity, const std::string& text);
    void real48(size_t offset, double value);

    const std::vector<uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
};

// Reads the fields of one record that lies whole inside a buffer.
class RecordReader {
  public:
    RecordReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    int32_t int32(size_t offset) const;
    uint8_t byte(size_t offset) const { return data_[offset]; }
    int8_t signedByte(size_t offset) const { return static_cast<int8_t>(data_[offset]); }
    // A short string; a length byte beyond the capacity is read as the capacity.
    std::string shortString(size_t offset, size_t capacity) const;
    double real48(size_t offset) const;
    size_t size() const { return size_; }

  private:
    const uint8_t* data_;
    size_t size_;
};

// Calls `each` for every whole record of `recordSize` bytes; a truncated tail is skipped.
template <typename Each>
void forEachRecord(const std::vector<uint8_t>& file, size_t recordSize, Each&& each) {
    for (size_t at = 0; at + recordSize <= file.size(); at += recordSize)
        each(RecordReader(file.data() + at, recordSize));
}

} // namespace vexa
