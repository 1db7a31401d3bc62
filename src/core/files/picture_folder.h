#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vexa {

// The names of the pictures in the driver pictures folder: every file ending in ".jpg" (in any
// case), sorted without regard to case. A missing folder lists nothing.
std::vector<std::string> listPictures(const std::filesystem::path& picsDir);

// Where a driver's picture is, or an empty path when he has none.
std::filesystem::path picturePath(const std::filesystem::path& picsDir, const std::string& picture);

} // namespace vexa
