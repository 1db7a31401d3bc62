// The requests of the live results server, as a client on the track's network sends them: read
// whole or in pieces, a decided request stays decided; a read request lies within the bytes
// and the bound; what it asks for is in range, and a file it names lies inside the html folder
// (whose links lead inside and out).
#include "fuzz_check.h"
#include "input_file.h"

#include "live/live_request.h"

#include <fstream>
#include <string>
#include <string_view>

using namespace vexa;
using vexa::fuzz::require;

namespace {

namespace fs = std::filesystem;

// The event's html folder: a page, a picture folder, a link inside it and links out of it.
const fs::path& htmlFolder() {
    static fuzz::InputFile place("h1r1.html");
    static const fs::path folder = [] {
        const fs::path html = place.folder() / "event" / "html";
        fs::create_directories(html / "img");
        std::ofstream(html / "h1r1.html") << "page";
        std::ofstream(html / "img" / "a.png") << "png";
        std::ofstream(place.folder() / "event" / "eventfile.qdd") << "secret";
        std::error_code ec;
        fs::create_symlink(html / "img" / "a.png", html / "inside.png", ec);
        fs::create_symlink(place.folder() / "event" / "eventfile.qdd", html / "out.html", ec);
        fs::create_directory_symlink(place.folder() / "event", html / "up", ec);
        return fs::weakly_canonical(html);
    }();
    return folder;
}

bool within(const fs::path& folder, const fs::path& file) {
    const std::string f = folder.string();
    const std::string p = file.string();
    return p.size() > f.size() && p.compare(0, f.size(), f) == 0 &&
           (p[f.size()] == '/' || p[f.size()] == '\\');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    const LiveRequest whole = readLiveRequest(in);

    // The same bytes as they may come in pieces: what a piece decides, the whole says too.
    for (const size_t cut : {size / 2, size / 3, size * 7 / 8, size ? size - 1 : 0, whole.length}) {
        if (cut > size) continue;
        const LiveRequest part = readLiveRequest(in.substr(0, cut));
        if (part.status == LiveRequest::Status::Incomplete) continue;
        require(part.status == whole.status, "a decided request stays decided");
        require(part.length == whole.length, "a read request keeps its length");
        require(part.refusal == whole.refusal, "a refused request keeps its reason");
    }

    switch (whole.status) {
    case LiveRequest::Status::Incomplete:
        require(size <= MaxLiveRequestBytes, "more than the bound is never waited for");
        return 0;
    case LiveRequest::Status::TooLarge:
        return 0;
    case LiveRequest::Status::Bad:
        require(!whole.refusal.empty(), "a bad request is told why");
        return 0;
    case LiveRequest::Status::Complete:
        break;
    }
    require(whole.length > 0 && whole.length <= size && whole.length <= MaxLiveRequestBytes,
            "a request lies within the bytes and the bound");
    require(readLiveRequest(in.substr(0, whole.length)).length == whole.length,
            "a request is read from its own bytes");
    require(!whole.method.empty() && !whole.path.empty() && whole.path.front() == '/',
            "a request has a method and a path");

    const LiveRoute route = routeLiveRequest(whole);
    require((route.target == LiveRoute::Target::Bad) != route.refusal.empty(),
            "a refusal says why, an answer has no refusal");
    if (route.target == LiveRoute::Target::Results)
        require(route.round >= 1 && route.round <= 20, "a results round is 1..20");
    if (route.target == LiveRoute::Target::HtmlFile) {
        const auto file = htmlFolderFile(htmlFolder(), route.file);
        require(!file || within(htmlFolder(), *file), "a file served lies in the html folder");
    }
    return 0;
}
