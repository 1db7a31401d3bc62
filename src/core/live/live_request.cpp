#include "live/live_request.h"

#include "model/limits.h"

#include <charconv>
#include <system_error>

namespace vexa {

namespace {

bool safePart(std::string_view part) {
    if (part.empty() || part.front() == '.') return false;
    for (const char ch : part) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7f || ch == '\\' || ch == ':') return false;
    }
    return true;
}

// Whether `inner` lies inside `outer`, both normal and absolute.
bool within(const std::filesystem::path& outer, const std::filesystem::path& inner) {
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i) {
        if (o->empty()) continue; // a trailing separator
        if (i == inner.end() || *o != *i) return false;
    }
    return i != inner.end();
}

} // namespace

std::optional<int> liveRoundParameter(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int round = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), round);
    if (res.ec != std::errc{} || res.ptr != text.data() + text.size() || !validRound(round))
        return std::nullopt;
    return round;
}

std::optional<std::filesystem::path> htmlFolderFile(const std::filesystem::path& htmlFolder,
                                                    std::string_view name) {
    if (name.empty() || name.size() > 255 || name.front() == '/') return std::nullopt;
    std::filesystem::path relative;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('/', start), name.size());
        const std::string_view part = name.substr(start, end - start);
        if (!safePart(part)) return std::nullopt;
        relative /= std::filesystem::path(std::string(part));
        start = end + 1;
    }
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(htmlFolder, ec);
    if (ec) return std::nullopt;
    const std::filesystem::path file = std::filesystem::weakly_canonical(folder / relative, ec);
    if (ec || !within(folder, file)) return std::nullopt;
    return file;
}

} // namespace vexa
