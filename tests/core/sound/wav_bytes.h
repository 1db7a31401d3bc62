#pragma once

#include "support/bytes.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vexa::test {

inline std::vector<uint8_t> le16(int v) {
    const auto u = static_cast<uint16_t>(v);
    return {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)};
}

// One RIFF chunk: its four-letter id, the given size field and the body (padded to even length
// unless `pad` is false).
inline std::vector<uint8_t> chunk(const std::string& id, uint32_t sizeField,
                                  const std::vector<uint8_t>& body, bool pad = true) {
    std::vector<uint8_t> out(id.begin(), id.end());
    const auto size = le32(static_cast<int32_t>(sizeField));
    out.insert(out.end(), size.begin(), size.end());
    out.insert(out.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1) out.push_back(0);
    return out;
}
inline std::vector<uint8_t> chunk(const std::string& id, const std::vector<uint8_t>& body) {
    return chunk(id, static_cast<uint32_t>(body.size()), body);
}

// The 16-byte body of a "fmt " chunk.
inline std::vector<uint8_t> fmtBody(int code, int channels, int rate, int bits) {
    const int block = channels * bits / 8;
    return concat(
        {le16(code), le16(channels), le32(rate), le32(rate * block), le16(block), le16(bits)});
}

// "RIFF", the size of the rest, "WAVE" and the chunks.
inline std::vector<uint8_t> riff(std::initializer_list<std::vector<uint8_t>> chunks) {
    const std::vector<uint8_t> body = concat(chunks);
    return concat({{'R', 'I', 'F', 'F'},
                   le32(static_cast<int32_t>(body.size() + 4)),
                   {'W', 'A', 'V', 'E'},
                   body});
}

// A plain 16-bit PCM file of the samples.
inline std::vector<uint8_t> wav16(int channels, int rate, const std::vector<int16_t>& samples) {
    std::vector<uint8_t> data;
    for (int16_t s : samples) {
        const auto b = le16(s);
        data.insert(data.end(), b.begin(), b.end());
    }
    return riff({chunk("fmt ", fmtBody(1, channels, rate, 16)), chunk("data", data)});
}

// Writes the bytes as a file, replacing any.
inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace vexa::test
