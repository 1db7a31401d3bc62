#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vexa {

// The bounds of the live results server: a request (its line, headers and body) larger than this
// is refused, and no more clients than this are served at once.
inline constexpr size_t MaxLiveRequestBytes = 8 * 1024;
inline constexpr int MaxLiveClients = 200;
// A client whose unsent data grows past this is too slow to follow the race and is dropped.
inline constexpr size_t MaxLiveBacklogBytes = 256 * 1024;

// The times and sizes by which the server keeps any one client from holding it.
struct LiveLimits {
    int clients = MaxLiveClients;
    size_t requestBytes = MaxLiveRequestBytes;
    size_t backlogBytes = MaxLiveBacklogBytes;
    // A request must be whole within this of its first byte (408 otherwise): a phone's request
    // is a packet or two, and this leaves room for two lost ones to be sent again.
    int requestMs = 5000;
    // A connection that has not begun a request for this long is closed.
    int idleMs = 60000;
    // A client that takes nothing of an answer or of the event stream for this long is dropped.
    int stalledMs = 10000;
    // After its last answer a closing connection is read (and what comes thrown away) for this
    // long at most, so that the client reads the answer before the connection goes.
    int lingerMs = 2000;
};

// What the bytes a client sent so far make of its next request. The head is HTTP/1.0 or 1.1: a
// request line "METHOD TARGET VERSION", header lines "Name: value", an empty line; a body follows
// when Content-Length says so. Lines end in CRLF or LF.
struct LiveRequest {
    enum class Status {
        Incomplete, // more bytes are needed
        Complete,   // a whole request of `length` bytes
        TooLarge,   // larger than the bound: answered 431
        Bad,        // not a request this server reads: answered 400 with `refusal`
    };
    Status status = Status::Incomplete;
    size_t length = 0;
    std::string method;
    std::string path;  // percent-decoded, starting with '/'
    std::string query; // as sent, without the '?'
    bool keepAlive = false;
    bool webSocket = false; // asks to become a WebSocket
    std::string refusal;
};

// Reads the request at the start of `received` (a request begins at its first byte: empty lines
// before it are skipped). A decided status (Complete, TooLarge or Bad) stays the same however
// many bytes follow.
LiveRequest readLiveRequest(std::string_view received, size_t maxBytes = MaxLiveRequestBytes);

// What a complete request asks for.
struct LiveRoute {
    enum class Target { Page, Race, Programme, Results, Events, HtmlFile, NotFound, Bad };
    Target target = Target::NotFound;
    int round = 0;       // Results: 1..20
    std::string file;    // HtmlFile: the path below the html folder, percent-decoded
    std::string refusal; // Bad: the text of the 400 answer
};
LiveRoute routeLiveRequest(const LiveRequest& request);

// The round a results request names ("1".."20", digits only), or nothing.
std::optional<int> liveRoundParameter(std::string_view text);

// The value of the first `name=value` of a query, percent-decoded ('+' is a blank); nothing when
// the name is not there or the value is not well encoded.
std::optional<std::string> liveQueryValue(std::string_view query, std::string_view name);

// The file in the event's HTML folder that a request names by its path below the folder
// (already percent-decoded, "h1r2.html" or "images/logo.png"), or nothing when the name could
// lead anywhere else: empty, absolute, a drive or a stream (':'), a backslash, a control
// character, a "." or ".." part, or a part starting with a dot. The folder's own links are
// checked too: a file that resolves outside the folder is refused, one that stays in it is
// served.
std::optional<std::filesystem::path> htmlFolderFile(const std::filesystem::path& htmlFolder,
                                                    std::string_view name);

} // namespace vexa
