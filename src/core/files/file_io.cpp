#include "files/file_io.h"

#include "files/file_sync.h"

#include <fstream>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

std::optional<std::vector<uint8_t>> readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (in.bad()) return std::nullopt;
    return bytes;
}

static Outcome writeAtomic(const fs::path& path, const char* data, size_t size) {
    const auto failed = [&path] {
        return Outcome::failure("The file " + displayPath(path) + " could not be written");
    };
    fs::path temp = path;
    temp += ".tmp";
    std::error_code ignored;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return failed();
        out.write(data, static_cast<std::streamsize>(size));
        out.close();
        // The data is on the disk before the new file takes the old one's name.
        if (!out || !syncFileToDisk(temp)) {
            fs::remove(temp, ignored);
            return failed();
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ignored);
        return failed();
    }
    // And the new name is on the disk before the save counts as done.
    if (!syncFolderToDisk(path.parent_path())) return failed();
    return Outcome::success();
}

Outcome writeFileAtomic(const fs::path& path, const std::vector<uint8_t>& bytes) {
    return writeAtomic(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Outcome writeFileAtomic(const fs::path& path, const std::string& text) {
    return writeAtomic(path, text.data(), text.size());
}

Outcome appendFileDurably(const fs::path& path, const std::string& text) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return Outcome::failure("The file " + displayPath(path) + " could not be written");
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out)
            return Outcome::failure("The file " + displayPath(path) + " could not be written");
    }
    if (!syncFileToDisk(path))
        return Outcome::failure("The file " + displayPath(path) + " could not be written");
    return Outcome::success();
}

std::string displayPath(const fs::path& path) {
    std::string out;
    for (char32_t c : path.u32string()) out += c < 256 ? static_cast<char>(c) : '?';
    return out;
}

} // namespace vexa
