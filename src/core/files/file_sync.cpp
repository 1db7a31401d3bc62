#include "files/file_sync.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vexa {

#ifdef _WIN32

bool syncFileToDisk(const std::filesystem::path& file) {
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    return flushed;
}

bool syncFolderToDisk(const std::filesystem::path&) {
    return true;
}

#else

namespace {

bool syncPath(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    // EINVAL: the file system does not sync this kind of file; nothing more can be done.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

} // namespace

bool syncFileToDisk(const std::filesystem::path& file) {
    return syncPath(file, O_WRONLY);
}

bool syncFolderToDisk(const std::filesystem::path& folder) {
    return syncPath(folder.empty() ? std::filesystem::path(".") : folder, O_RDONLY);
}

#endif

} // namespace vexa
