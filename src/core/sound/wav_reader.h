#pragma once

#include "sound/pcm.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace vexa {

// Reads a RIFF WAVE sound: integer PCM of 8, 16, 24 or 32 bits or 32-bit float, any number of
// channels and any rate from 1000 to 384000 Hz, as 16-bit samples in the file's own rate and
// channels. Read tolerantly: a data chunk cut short keeps its whole frames, and a chunk size
// larger than the file (as written by programs that stream) reaches to the end of the file.
// Anything that is not such a sound, or has no samples, gives nothing.
std::optional<Pcm> parseWav(std::span<const uint8_t> bytes);

// The same from a file; a missing or unreadable file, or one over 64 MiB, gives nothing.
std::optional<Pcm> readWavFile(const std::filesystem::path& file);

} // namespace vexa
