#pragma once

#include "model/outcome.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The whole file, or nothing when it does not exist or cannot be read.
std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path);

// Writes the whole file atomically: the bytes go to a temporary file in the same folder, which
// is flushed and then renamed over the old file, so a crash leaves either the old or the new
// file whole. On failure the old file is untouched and the message names the file.
Outcome writeFileAtomic(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
Outcome writeFileAtomic(const std::filesystem::path& path, const std::string& text);

// A path as Latin-1 text for messages.
std::string displayPath(const std::filesystem::path& path);

} // namespace vexa
