// The paths a request may name in the event's HTML folder.
#include "live/live_request.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(LiveRequest, ALinkLeadingOutOfTheFolderIsRefused) {
    test::TempDir dir;
    const auto html = dir.path() / "html";
    std::filesystem::create_directories(html);
    std::ofstream(dir.path() / "outside.txt") << "x";
    std::error_code ec;
    std::filesystem::create_symlink(dir.path() / "outside.txt", html / "link.html", ec);
    if (ec) GTEST_SKIP() << "links cannot be made here";
    EXPECT_FALSE(htmlFolderFile(html, "link.html"));
}

TEST(LiveRequest, RoundParameter) {
    EXPECT_EQ(liveRoundParameter("1"), 1);
    EXPECT_EQ(liveRoundParameter("20"), 20);
    for (const char* bad : {"", "0", "21", "x", "1 ", "+1", "100"})
        EXPECT_FALSE(liveRoundParameter(bad)) << bad;
}
