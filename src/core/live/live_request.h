#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace vexa {

// The bounds of the live results server: a request (its line and headers) larger than this is
// refused, and no more clients than this are served at once.
inline constexpr size_t MaxLiveRequestBytes = 8 * 1024;
inline constexpr int MaxLiveClients = 200;
// A client whose unsent data grows past this is too slow to follow the race and is dropped.
inline constexpr size_t MaxLiveBacklogBytes = 256 * 1024;

// The round a results request names ("1".."20", digits only), or nothing.
std::optional<int> liveRoundParameter(std::string_view text);

// The file in the event's HTML folder that a request names by its path below the folder
// (already percent-decoded, "h1r2.html" or "images/logo.png"), or nothing when the name could
// lead anywhere else: empty, absolute, a drive or a stream (':'), a backslash, a control
// character, a "." or ".." part, or a part starting with a dot. The folder's own links are
// checked too: a file that resolves outside the folder is refused.
std::optional<std::filesystem::path> htmlFolderFile(const std::filesystem::path& htmlFolder,
                                                    std::string_view name);

} // namespace vexa
