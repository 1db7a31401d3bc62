// The requests the live results server reads, what they ask for, and the paths they may name in
// the event's HTML folder.
#include "live/live_request.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

using namespace vexa;

TEST(LiveRequest, PathsStayInTheHtmlFolder) {
    test::TempDir dir;
    const auto html = dir.path() / "event" / "html";
    std::filesystem::create_directories(html / "img");
    std::ofstream(html / "h1r1.html") << "page";
    std::ofstream(dir.path() / "event" / "eventfile.qdd") << "secret";

    struct Case {
        const char* name;
        bool served;
    };
    const Case cases[] = {
        {"h1r1.html", true},
        {"img/logo.png", true},
        {"not-there.html", true}, // inside the folder: the server answers 404 itself
        {"", false},
        {"..", false},
        {"../eventfile.qdd", false},
        {"img/../../eventfile.qdd", false},
        {"img/../h1r1.html", false},
        {"./h1r1.html", false},
        {".hidden", false},
        {"/etc/passwd", false},
        {"img//logo.png", false},
        {"C:/Windows/win.ini", false},
        {"..\\eventfile.qdd", false},
        {"h1r1.html\n", false},
        {"h1r1.html:stream", false},
    };
    for (const Case& c : cases) {
        const auto file = htmlFolderFile(html, c.name);
        EXPECT_EQ(file.has_value(), c.served) << c.name;
        if (file) {
            EXPECT_EQ(file->string().rfind(std::filesystem::weakly_canonical(html).string(), 0), 0u)
                << file->string();
        }
    }
}

TEST(LiveRequest, LinksAreServedWhileTheyStayInTheFolder) {
    test::TempDir dir;
    const auto html = dir.path() / "html";
    std::filesystem::create_directories(html / "pictures");
    std::filesystem::create_directories(dir.path() / "outside");
    std::ofstream(dir.path() / "outside.txt") << "x";
    std::ofstream(html / "pictures" / "ann.jpg") << "jpeg";
    std::error_code ec;
    std::filesystem::create_symlink(dir.path() / "outside.txt", html / "link.html", ec);
    if (ec) GTEST_SKIP() << "links cannot be made here";
    std::filesystem::create_symlink(html / "pictures" / "ann.jpg", html / "driver.jpg");
    std::filesystem::create_directory_symlink(dir.path() / "outside", html / "away");
    std::filesystem::create_directory_symlink(html / "pictures", html / "photos");
    // A link to a link that leads out.
    std::filesystem::create_symlink(html / "link.html", html / "again.html");

    EXPECT_FALSE(htmlFolderFile(html, "link.html"));
    EXPECT_FALSE(htmlFolderFile(html, "again.html"));
    EXPECT_FALSE(htmlFolderFile(html, "away/anything.html"));
    EXPECT_EQ(htmlFolderFile(html, "driver.jpg"),
              std::filesystem::weakly_canonical(html / "pictures" / "ann.jpg"));
    EXPECT_EQ(htmlFolderFile(html, "photos/ann.jpg"),
              std::filesystem::weakly_canonical(html / "pictures" / "ann.jpg"));
}

TEST(LiveRequest, RoundParameter) {
    EXPECT_EQ(liveRoundParameter("1"), 1);
    EXPECT_EQ(liveRoundParameter("20"), 20);
    for (const char* bad : {"", "0", "21", "x", "1 ", "+1", "100"})
        EXPECT_FALSE(liveRoundParameter(bad)) << bad;
}

TEST(LiveRequest, QueryValues) {
    struct Case {
        const char* query;
        std::optional<std::string> round;
    };
    const Case cases[] = {
        {"round=3", "3"},
        {"a=1&round=12&round=4", "12"},
        {"round", ""},
        {"round=", ""},
        {"%72ound=5", "5"},
        {"round=%31%30", "10"},
        {"round=1+2", "1 2"},
        {"round=%4", std::nullopt},
        {"rounds=3", std::nullopt},
        {"", std::nullopt},
        {"&&round=7&", "7"},
    };
    for (const Case& c : cases) EXPECT_EQ(liveQueryValue(c.query, "round"), c.round) << c.query;
}

namespace {

using Status = LiveRequest::Status;

// The request read from the whole text, after checking that no prefix of it decides otherwise:
// a decided status stays as more bytes come.
LiveRequest readWhole(std::string_view text, size_t maxBytes = MaxLiveRequestBytes) {
    const LiveRequest whole = readLiveRequest(text, maxBytes);
    for (size_t n = 0; n < text.size(); ++n) {
        const LiveRequest part = readLiveRequest(text.substr(0, n), maxBytes);
        if (part.status == Status::Incomplete) continue;
        EXPECT_EQ(part.status, whole.status) << "after " << n << " bytes of " << text;
        EXPECT_EQ(part.length, whole.length) << "after " << n << " bytes of " << text;
    }
    return whole;
}

} // namespace

TEST(LiveRequest, RequestsAreReadWhole) {
    struct Case {
        std::string text;
        std::string path;
        std::string query;
        bool keepAlive;
        size_t length; // 0: the whole text
    };
    const std::string pipelined = "GET /api/race HTTP/1.1\r\nHost: x\r\n\r\n";
    const Case cases[] = {
        {"GET /api/race HTTP/1.1\r\nHost: x\r\n\r\n", "/api/race", "", true, 0},
        {"GET / HTTP/1.0\r\n\r\n", "/", "", false, 0},
        {"GET / HTTP/1.0\r\nConnection: Keep-Alive\r\n\r\n", "/", "", true, 0},
        {"GET / HTTP/1.1\r\nConnection: TE, close\r\n\r\n", "/", "", false, 0},
        {"GET /api/results?round=2 HTTP/1.1\nHost: x\n\n", "/api/results", "round=2", true, 0},
        {"\r\n\nGET / HTTP/1.1\r\n\r\n", "/", "", true, 0},
        {pipelined + pipelined, "/api/race", "", true, pipelined.size()},
        {"GET / HTTP/1.1\r\nContent-Length: 3\r\n\r\nabcGET", "/", "", true, 40},
        {"GET / HTTP/1.1\r\nContent-Length: 3\r\nContent-Length: 3\r\n\r\nabc", "/", "", true, 0},
        {"GET http://192.168.1.5:8080/api/race?x=1 HTTP/1.1\r\n\r\n", "/api/race", "x=1", true, 0},
        {"GET HTTP://host HTTP/1.1\r\n\r\n", "/", "", true, 0},
        {"GET /html/h1r1%2ehtml HTTP/1.1\r\nX-Empty:\r\nX: \t v\xe9 \r\n\r\n", "/html/h1r1.html",
         "", true, 0},
    };
    for (const Case& c : cases) {
        const LiveRequest r = readWhole(c.text);
        ASSERT_EQ(r.status, Status::Complete) << c.text << r.refusal;
        EXPECT_EQ(r.method, "GET") << c.text;
        EXPECT_EQ(r.path, c.path) << c.text;
        EXPECT_EQ(r.query, c.query) << c.text;
        EXPECT_EQ(r.keepAlive, c.keepAlive) << c.text;
        EXPECT_EQ(r.length, c.length ? c.length : c.text.size()) << c.text;
    }
    EXPECT_TRUE(readWhole("GET / HTTP/1.1\r\nUpgrade: h2c, WebSocket\r\n\r\n").webSocket);
    EXPECT_EQ(readWhole("POST /api/race HTTP/1.1\r\nContent-Length: 2\r\n\r\n{}").method, "POST");
}

TEST(LiveRequest, BadAndUnfinishedRequests) {
    struct Case {
        std::string text;
        Status status;
        std::string refusal;
    };
    const std::string big(MaxLiveRequestBytes, 'a');
    const Case cases[] = {
        {"", Status::Incomplete, ""},
        {"GET /api/ra", Status::Incomplete, ""},
        {"GET / HTTP/1.1\r\nHost: x\r\n", Status::Incomplete, ""},
        {"GET / HTTP/1.1\r\nContent-Length: 5\r\n\r\nab", Status::Incomplete, ""},
        {"GET / HTTP/9.9\r\n", Status::Bad, "Only HTTP/1.0 and HTTP/1.1 requests are served"},
        {"GET / HTTP/2.0\r\n\r\n", Status::Bad, "Only HTTP/1.0 and HTTP/1.1 requests are served"},
        {"GET / http/1.1\r\n\r\n", Status::Bad, "Only HTTP/1.0 and HTTP/1.1 requests are served"},
        {"GET / HTTP/1.1\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\nabc", Status::Bad,
         "Conflicting Content-Length headers"},
        {"GET / HTTP/1.1\r\nContent-Length: 2, 2\r\n\r\nab", Status::Bad,
         "Content-Length is not a number"},
        {"GET / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", Status::Bad,
         "Content-Length is not a number"},
        {"GET / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", Status::Bad,
         "A body in chunks is not read"},
        {"this is not http\r\n\r\n", Status::Bad, "Not an HTTP request"},
        {"GET  / HTTP/1.1\r\n\r\n", Status::Bad, "Not an HTTP request"},
        {"GET / HTTP/1.1 \r\n\r\n", Status::Bad, "Not an HTTP request"},
        {"G(T / HTTP/1.1\r\n\r\n", Status::Bad, "Not an HTTP request"},
        {"GET * HTTP/1.1\r\n\r\n", Status::Bad, "The request names no path"},
        {"GET /a\x01 HTTP/1.1\r\n\r\n", Status::Bad, "The request names no path"},
        {"GET /%zz HTTP/1.1\r\n\r\n", Status::Bad, "The path is not well encoded"},
        {"GET /%2 HTTP/1.1\r\n\r\n", Status::Bad, "The path is not well encoded"},
        {"GET / HTTP/1.1\r\nHost : x\r\n\r\n", Status::Bad, "A header line is not well formed"},
        {"GET / HTTP/1.1\r\nno colon\r\n\r\n", Status::Bad, "A header line is not well formed"},
        {"GET / HTTP/1.1\r\nX: a\rb\r\n\r\n", Status::Bad, "A header line is not well formed"},
        {"GET / HTTP/1.1\r\nX: a\r\n b\r\n\r\n", Status::Bad, "Folded header lines are not read"},
        {"GET / HTTP/1.1\r\nX: " + big + "\r\n\r\n", Status::TooLarge, ""},
        {"GET / HTTP/1.1\r\nX: " + big, Status::TooLarge, ""},
        {"GET /" + big + " HTTP/9.9\r\n\r\n", Status::TooLarge, ""},
        {std::string(MaxLiveRequestBytes + 1, '\n'), Status::TooLarge, ""},
        {"GET / HTTP/1.1\r\nContent-Length: 8192\r\n\r\n", Status::TooLarge, ""},
        {"GET / HTTP/1.1\r\nContent-Length: 99999999999999999999999\r\n\r\n", Status::TooLarge, ""},
    };
    for (const Case& c : cases) {
        const LiveRequest r = readWhole(c.text);
        EXPECT_EQ(r.status, c.status) << c.text;
        EXPECT_EQ(r.refusal, c.refusal) << c.text;
    }
    // Just at the bound is read.
    const std::string head = "GET / HTTP/1.1\r\nX: \r\n\r\n";
    const std::string full =
        "GET / HTTP/1.1\r\nX: " + std::string(MaxLiveRequestBytes - head.size(), 'p') + "\r\n\r\n";
    ASSERT_EQ(full.size(), MaxLiveRequestBytes);
    EXPECT_EQ(readLiveRequest(full).status, Status::Complete);
    EXPECT_EQ(readLiveRequest(full + "GET").status, Status::Complete);
}

TEST(LiveRequest, WhatARequestAsksFor) {
    using Target = LiveRoute::Target;
    struct Case {
        const char* text;
        Target target;
        int round;
        const char* file;
    };
    const Case cases[] = {
        {"GET / HTTP/1.1", Target::Page, 0, ""},
        {"GET /index.html HTTP/1.1", Target::Page, 0, ""},
        {"GET /api/race?x HTTP/1.1", Target::Race, 0, ""},
        {"GET /api/%72ace HTTP/1.1", Target::Race, 0, ""},
        {"GET /api/programme HTTP/1.1", Target::Programme, 0, ""},
        {"GET /api/results?round=20 HTTP/1.1", Target::Results, 20, ""},
        {"GET /api/events HTTP/1.0", Target::Events, 0, ""},
        {"GET /html/img/a%20b.png HTTP/1.1", Target::HtmlFile, 0, "img/a b.png"},
        {"GET /html/..%2fx HTTP/1.1", Target::HtmlFile, 0, "../x"},
        {"GET /html HTTP/1.1", Target::NotFound, 0, ""},
        {"GET /api/race/ HTTP/1.1", Target::NotFound, 0, ""},
        {"GET /api/results?round=21 HTTP/1.1", Target::Bad, 0, ""},
        {"GET /api/results HTTP/1.1", Target::Bad, 0, ""},
        {"HEAD / HTTP/1.1", Target::Bad, 0, ""},
        {"POST /api/race HTTP/1.1", Target::Bad, 0, ""},
    };
    for (const Case& c : cases) {
        const LiveRequest r = readLiveRequest(std::string(c.text) + "\r\n\r\n");
        ASSERT_EQ(r.status, Status::Complete) << c.text;
        const LiveRoute route = routeLiveRequest(r);
        EXPECT_EQ(route.target, c.target) << c.text;
        EXPECT_EQ(route.round, c.round) << c.text;
        EXPECT_EQ(route.file, c.file) << c.text;
        EXPECT_EQ(route.refusal.empty(), c.target != Target::Bad) << c.text;
    }
    const LiveRequest ws = readLiveRequest(
        "GET /api/events HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n");
    EXPECT_EQ(routeLiveRequest(ws).refusal, "WebSockets are not served");
    EXPECT_EQ(routeLiveRequest(readLiveRequest("PUT / HTTP/1.1\r\n\r\n")).refusal,
              "Only GET requests are served");
}
