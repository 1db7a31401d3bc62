#pragma once

#include <filesystem>

namespace vexa {

// The operating system's own calls that carry a written file to the disk, so that a power cut
// just after a save finds the new file whole (and not an empty one, nor the old one back).

// Carries the data of a written (and closed) file to the disk. False when the system reports a
// failure; a file system that cannot sync counts as done.
bool syncFileToDisk(const std::filesystem::path& file);

// Carries the folder's entries (a file just renamed into it) to the disk. False when the system
// reports a failure. On Windows the file system keeps the entries itself: nothing to do.
bool syncFolderToDisk(const std::filesystem::path& folder);

} // namespace vexa
