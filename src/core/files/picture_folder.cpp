#include "files/picture_folder.h"

#include "base/latin1_path.h"
#include "model/competitor.h"

#include <algorithm>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

namespace {

// The file's name in Latin-1; empty when it holds a character outside Latin-1, since such a
// name could not be stored in the competitors file and found again.
std::string latin1Name(const fs::path& path) {
    std::string name;
    for (char32_t c : path.filename().u32string()) {
        if (c >= 256) return {};
        name += static_cast<char>(c);
    }
    return name;
}

bool isJpegName(const std::string& name) {
    return name.size() > 4 && upperLatin1(name.substr(name.size() - 4)) == ".JPG";
}

} // namespace

std::vector<std::string> listPictures(const fs::path& picsDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(picsDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_directory(typeEc)) continue;
        std::string name = latin1Name(it->path());
        if (isJpegName(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = upperLatin1(a), ub = upperLatin1(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

fs::path picturePath(const fs::path& picsDir, const std::string& picture) {
    if (picture.empty()) return {};
    return picsDir / latin1Path(picture);
}

} // namespace vexa
