#pragma once

#include <filesystem>
#include <string>

namespace vexa {

// A Latin-1 name as a path component.
std::filesystem::path latin1Path(const std::string& name);

} // namespace vexa
