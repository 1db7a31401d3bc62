#include "live/live_request.h"

#include "model/limits.h"

#include <charconv>
#include <system_error>

namespace vexa {

namespace {

// A character of a method or a header name (a "token" of HTTP).
bool tokenChar(char ch) {
    if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'))
        return true;
    for (const char allowed : std::string_view("!#$%&'*+-.^_`|~"))
        if (ch == allowed) return true;
    return false;
}

bool isToken(std::string_view text) {
    if (text.empty()) return false;
    for (const char ch : text)
        if (!tokenChar(ch)) return false;
    return true;
}

char lowerAscii(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

bool startsWithText(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && sameText(text.substr(0, start.size()), start);
}

std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Whether a comma-separated list of tokens (a Connection or Upgrade header) holds `token`.
bool listHolds(std::string_view list, std::string_view token) {
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        if (sameText(trimmedBlanks(list.substr(start, comma - start)), token)) return true;
        start = comma + 1;
    }
    return false;
}

int hexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    const char lower = lowerAscii(ch);
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

std::optional<std::string> percentDecoded(std::string_view text, bool plusIsBlank) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += plusIsBlank && text[i] == '+' ? ' ' : text[i];
        }
    }
    return out;
}

// A line of the head starting at `at`, without its CRLF or LF; `next` is where the line after it
// starts. Nothing while no LF has come.
struct HeadLine {
    std::string_view text;
    size_t next = 0;
};
std::optional<HeadLine> lineAt(std::string_view in, size_t at) {
    const size_t lf = in.find('\n', at);
    if (lf == std::string_view::npos) return std::nullopt;
    size_t end = lf;
    if (end > at && in[end - 1] == '\r') --end;
    return HeadLine{in.substr(at, end - at), lf + 1};
}

// A header value holds visible characters, blanks, tabs and bytes above 127.
bool goodValue(std::string_view value) {
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t') || c == 0x7f) return false;
    }
    return true;
}

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

// The path of a request target: "/path?query" as it stands, "http://host/path?query" without
// its scheme and host. Nothing for any other form.
std::optional<std::string_view> originForm(std::string_view target) {
    for (const char ch : target) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7f) return std::nullopt;
    }
    if (!target.empty() && target.front() == '/') return target;
    for (const std::string_view scheme :
         {std::string_view("http://"), std::string_view("https://")})
        if (startsWithText(target, scheme)) {
            const size_t slash = target.find('/', scheme.size());
            if (slash == std::string_view::npos) return std::string_view("/");
            return target.substr(slash);
        }
    return std::nullopt;
}

LiveRequest refused(LiveRequest::Status status, std::string why = {}) {
    LiveRequest r;
    r.status = status;
    r.refusal = std::move(why);
    return r;
}

LiveRequest badRequest(std::string why) {
    return refused(LiveRequest::Status::Bad, std::move(why));
}

// The request line: the method, the path and query, the version.
std::optional<LiveRequest> readRequestLine(std::string_view line, LiveRequest& r, bool& http11) {
    const size_t first = line.find(' ');
    const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
        return badRequest("Not an HTTP request");
    const std::string_view method = line.substr(0, first);
    const std::string_view target = line.substr(first + 1, second - first - 1);
    const std::string_view version = line.substr(second + 1);
    if (!isToken(method)) return badRequest("Not an HTTP request");
    if (version == "HTTP/1.1") {
        http11 = true;
    } else if (version == "HTTP/1.0") {
        http11 = false;
    } else {
        return badRequest("Only HTTP/1.0 and HTTP/1.1 requests are served");
    }
    const auto form = originForm(target);
    if (!form) return badRequest("The request names no path");
    const size_t question = form->find('?');
    const auto path = percentDecoded(form->substr(0, question), false);
    if (!path) return badRequest("The path is not well encoded");
    r.method = std::string(method);
    r.path = *path;
    if (question != std::string_view::npos) r.query = std::string(form->substr(question + 1));
    return std::nullopt;
}

// The body's length from a Content-Length value, or nothing when it is not a number; a number
// too large for the request bound is held as the largest value.
std::optional<size_t> contentLength(std::string_view value) {
    if (value.empty()) return std::nullopt;
    size_t length = 0;
    for (const char ch : value) {
        if (ch < '0' || ch > '9') return std::nullopt;
        length = length > (SIZE_MAX - 9) / 10 ? SIZE_MAX : length * 10 + (ch - '0');
    }
    return length;
}

} // namespace

LiveRequest readLiveRequest(std::string_view in, size_t maxBytes) {
    using Status = LiveRequest::Status;
    const auto tooLarge = [] { return refused(Status::TooLarge); };
    // Empty lines before a request are skipped (some clients send one after a body).
    size_t at = 0;
    while (at < in.size() &&
           (in[at] == '\n' || (in[at] == '\r' && at + 1 < in.size() && in[at + 1] == '\n')))
        at += in[at] == '\n' ? 1 : 2;
    if (at > maxBytes) return tooLarge();

    LiveRequest r;
    bool http11 = false;
    bool lineRead = false;
    bool closeAsked = false;
    bool keepAliveAsked = false;
    std::optional<size_t> length;
    // Line by line, so that a line is judged as soon as it is whole; a line that ends beyond the
    // bound is too large whatever it holds, so that the status stays as more bytes come.
    for (;;) {
        const auto line = lineAt(in, at);
        if (!line) return in.size() > maxBytes ? tooLarge() : LiveRequest{};
        if (line->next > maxBytes) return tooLarge();
        at = line->next;
        if (!lineRead) {
            if (auto bad = readRequestLine(line->text, r, http11)) return *bad;
            lineRead = true;
            continue;
        }
        if (line->text.empty()) break;
        if (line->text.front() == ' ' || line->text.front() == '\t')
            return badRequest("Folded header lines are not read");
        const size_t colon = line->text.find(':');
        if (colon == std::string_view::npos || !isToken(line->text.substr(0, colon)))
            return badRequest("A header line is not well formed");
        const std::string_view name = line->text.substr(0, colon);
        const std::string_view value = trimmedBlanks(line->text.substr(colon + 1));
        if (!goodValue(value)) return badRequest("A header line is not well formed");
        if (sameText(name, "Content-Length")) {
            const auto given = contentLength(value);
            if (!given) return badRequest("Content-Length is not a number");
            if (length && *length != *given)
                return badRequest("Conflicting Content-Length headers");
            length = given;
        } else if (sameText(name, "Transfer-Encoding")) {
            return badRequest("A body in chunks is not read");
        } else if (sameText(name, "Connection")) {
            closeAsked = closeAsked || listHolds(value, "close");
            keepAliveAsked = keepAliveAsked || listHolds(value, "keep-alive");
        } else if (sameText(name, "Upgrade")) {
            r.webSocket = r.webSocket || listHolds(value, "websocket");
        }
    }
    const size_t body = length.value_or(0);
    if (body > maxBytes - at) return tooLarge();
    if (in.size() < at + body) return LiveRequest{};
    r.status = Status::Complete;
    r.length = at + body;
    r.keepAlive = !closeAsked && (http11 || keepAliveAsked);
    return r;
}

LiveRoute routeLiveRequest(const LiveRequest& request) {
    using Target = LiveRoute::Target;
    LiveRoute route;
    const auto refuse = [&](const char* why) {
        route.target = Target::Bad;
        route.refusal = why;
        return route;
    };
    if (request.method != "GET") return refuse("Only GET requests are served");
    if (request.webSocket) return refuse("WebSockets are not served");
    const std::string& path = request.path;
    if (path == "/" || path == "/index.html") {
        route.target = Target::Page;
    } else if (path == "/api/race") {
        route.target = Target::Race;
    } else if (path == "/api/programme") {
        route.target = Target::Programme;
    } else if (path == "/api/results") {
        const auto round = liveRoundParameter(liveQueryValue(request.query, "round").value_or(""));
        if (!round) return refuse("round must be a number from 1 to 20");
        route.target = Target::Results;
        route.round = *round;
    } else if (path == "/api/events") {
        route.target = Target::Events;
    } else if (path.rfind("/html/", 0) == 0) {
        route.target = Target::HtmlFile;
        route.file = path.substr(6);
    }
    return route;
}

std::optional<int> liveRoundParameter(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int round = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), round);
    if (res.ec != std::errc{} || res.ptr != text.data() + text.size() || !validRound(round))
        return std::nullopt;
    return round;
}

std::optional<std::string> liveQueryValue(std::string_view query, std::string_view name) {
    size_t start = 0;
    while (start <= query.size()) {
        const size_t end = std::min(query.find('&', start), query.size());
        const std::string_view item = query.substr(start, end - start);
        const size_t equals = std::min(item.find('='), item.size());
        if (percentDecoded(item.substr(0, equals), true) == name)
            return percentDecoded(item.substr(std::min(equals + 1, item.size())), true);
        start = end + 1;
    }
    return std::nullopt;
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
