#include "sound/wav_reader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string_view>

namespace vexa {

namespace {
constexpr uint16_t FormatPcm = 1;
constexpr uint16_t FormatFloat = 3;
constexpr uint16_t FormatExtensible = 0xFFFE;
constexpr size_t MaxFileBytes = 64u << 20;

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
bool isId(const uint8_t* p, std::string_view id) {
    return std::memcmp(p, id.data(), 4) == 0;
}

struct WavFormat {
    uint16_t code = 0;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

std::optional<WavFormat> readFormatChunk(std::span<const uint8_t> chunk) {
    if (chunk.size() < 16) return std::nullopt;
    WavFormat f;
    f.code = le16(&chunk[0]);
    f.channels = le16(&chunk[2]);
    const uint32_t rate = le32(&chunk[4]);
    f.bits = le16(&chunk[14]);
    // The extensible header names the real sample format in the first two bytes of its GUID.
    if (f.code == FormatExtensible) {
        if (chunk.size() < 26) return std::nullopt;
        f.code = le16(&chunk[24]);
    }
    if (rate < 1000 || rate > 384000 || f.channels < 1 || f.channels > 8) return std::nullopt;
    f.sampleRate = static_cast<int>(rate);
    const bool pcm =
        f.code == FormatPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool flt = f.code == FormatFloat && f.bits == 32;
    if (!pcm && !flt) return std::nullopt;
    return f;
}

int16_t sampleAt(const uint8_t* p, const WavFormat& f) {
    if (f.code == FormatFloat) {
        const float v = std::bit_cast<float>(le32(p));
        if (!(v == v)) return 0; // not a number
        return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    }
    switch (f.bits) {
    case 8: // unsigned, 128 is silence
        return static_cast<int16_t>((p[0] - 128) * 256);
    case 16:
        return static_cast<int16_t>(le16(p));
    case 24:
        return static_cast<int16_t>(le16(p + 1));
    default:
        return static_cast<int16_t>(le16(p + 2));
    }
}
} // namespace

std::optional<Pcm> parseWav(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || !isId(&bytes[0], "RIFF") || !isId(&bytes[8], "WAVE"))
        return std::nullopt;

    std::optional<WavFormat> format;
    std::span<const uint8_t> data;
    bool haveData = false;
    // The RIFF size is not trusted: the chunks are walked to the end of the bytes.
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint8_t* header = &bytes[at];
        const size_t available = bytes.size() - (at + 8);
        const size_t size = std::min<size_t>(le32(header + 4), available);
        const std::span<const uint8_t> body = bytes.subspan(at + 8, size);
        if (isId(header, "fmt ") && !format) {
            format = readFormatChunk(body);
            if (!format) return std::nullopt;
        } else if (isId(header, "data") && !haveData) {
            data = body;
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!format || !haveData) return std::nullopt;

    const size_t sampleBytes = static_cast<size_t>(format->bits / 8);
    const size_t frameBytes = sampleBytes * static_cast<size_t>(format->channels);
    const size_t frames = data.size() / frameBytes;
    if (frames == 0) return std::nullopt;

    Pcm pcm;
    pcm.format = {format->sampleRate, format->channels};
    pcm.samples.resize(frames * static_cast<size_t>(format->channels));
    for (size_t i = 0; i < pcm.samples.size(); ++i)
        pcm.samples[i] = sampleAt(&data[i * sampleBytes], *format);
    return pcm;
}

std::optional<Pcm> readWavFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > MaxFileBytes) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return parseWav(bytes);
}

} // namespace vexa
