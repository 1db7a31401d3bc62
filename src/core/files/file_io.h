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

// Writes the whole file atomically and durably: the bytes go to a temporary file in the same
// folder, which is carried to the disk and then renamed over the old file, and the folder is
// carried to the disk after the rename. A crash or a power cut leaves either the old or the new
// file whole. On failure the message names the file; the old file is untouched unless the
// failure came after the rename (the folder could not be carried to the disk).
Outcome writeFileAtomic(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
Outcome writeFileAtomic(const std::filesystem::path& path, const std::string& text);

// Appends the bytes at the end of the file (which must exist) and carries them to the disk. A
// crash in the middle can leave a part of them at the end: a caller that must not keep such a
// part notes the file's size before and cuts the file back to it (std::filesystem::resize_file).
Outcome appendFileDurably(const std::filesystem::path& path, const std::string& text);

// A path as Latin-1 text for messages.
std::string displayPath(const std::filesystem::path& path);

} // namespace vexa
