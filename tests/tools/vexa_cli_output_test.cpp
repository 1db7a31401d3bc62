#include "files/event_files.h"
#include "files/file_io.h"
#include "files/settings_file.h"
#include "output_commands.h"
#include "program/event_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vexa;

namespace {

// An event "Day" in a program home: Ann Lee (Id 1, class 1 "Touring") in heat 1, with 12 laps
// in 310.5 s in round 1.
class CliEvent : public ::testing::Test {
  protected:
    CliEvent() {
        Program program;
        program.home.root = home.path();
        startProgram(program);
        program.settings.eventTitle = "Club Day";
        program.settings.classes[1].name = "Touring";
        program.event.competitor(1).name = "Ann Lee";
        program.event.competitor(1).classno = 1;
        program.event.heats.setSlotText(1, 1, "1");
        program.event.storeResult(1, 1, 12, 310.5);
        EXPECT_TRUE(createEvent(program, "Day"));
        EXPECT_TRUE(saveSettingsFile(program.home.iniFile(), program.settings));
        eventDir = home.path() / "event files" / "Day";
    }

    int run(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&),
            std::vector<std::string> words) {
        words.insert(words.begin(), {"--home", home.path().string(), "--event", "Day"});
        out.str("");
        err.str("");
        return command(words, out, err);
    }

    std::string text(const std::filesystem::path& path) {
        const auto bytes = readWholeFile(path);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    }

    test::TempDir home;
    std::filesystem::path eventDir;
    std::ostringstream out, err;
};

} // namespace

TEST_F(CliEvent, ReportAsTextWithTheOptionsOfItsWindow) {
    const auto file = home.path() / "ftd.txt";
    ASSERT_EQ(
        run(cli::reportCommand, {"ftd", "--first", "1", "--last", "1", "--out", file.string()}), 0)
        << err.str();
    const std::string report = text(file);
    EXPECT_NE(report.find("\r\nClub Day\r\n\r\nFTD Results (Round:1)\r\n"), std::string::npos);
    EXPECT_NE(report.find("  1  1 Ann Lee                      12      5m10.500   1   1 \r\n"),
              std::string::npos);

    const auto table = home.path() / "table.txt";
    ASSERT_EQ(
        run(cli::reportCommand, {"racing-table", "--no-frequencies", "--out", table.string()}), 0);
    EXPECT_NE(text(table).find("Heat:1 (Touring             ) Minutes: 5\r\n"), std::string::npos);
}

TEST_F(CliEvent, RefusalsAndMistakes) {
    const auto file = (home.path() / "x.txt").string();
    EXPECT_EQ(run(cli::reportCommand, {"start-order", "--out", file}), 1);
    EXPECT_EQ(err.str(), "Can't print start orders, its only round 1 !\n");
    EXPECT_EQ(run(cli::reportCommand, {"podium", "--out", file}), 2);
    EXPECT_NE(err.str().find("Unknown report: podium"), std::string::npos);
    EXPECT_EQ(run(cli::reportCommand, {"points", "--first", "one", "--out", file}), 2);
    EXPECT_EQ(run(cli::reportCommand, {"points", "--out", (home.path() / "x.pdf").string()}), 1);
    EXPECT_FALSE(std::filesystem::exists(home.path() / "x.pdf"));
    std::vector<std::string> noEvent{
        "--home", home.path().string(), "--event", "Night", "ftd", "--out", file};
    EXPECT_EQ(cli::reportCommand(noEvent, out, err), 2);
}

TEST_F(CliEvent, HtmlOverallPageIntoTheEventOrAFile) {
    ASSERT_EQ(run(cli::htmlCommand, {}), 0) << err.str();
    const std::string page = text(eventDir / "html" / "eor1_1.html");
    EXPECT_NE(page.find("<H2 ALIGN=CENTER>Overall Results after Round:1</H2>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("<TD ALIGN=left>Ann Lee</TD>\r\n"), std::string::npos);

    const auto own = home.path() / "standings.html";
    ASSERT_EQ(run(cli::htmlCommand, {"--first", "1", "--last", "1", "--out", own.string()}), 0);
    EXPECT_EQ(text(own), page);

    std::filesystem::remove_all(eventDir / "html");
    EXPECT_EQ(run(cli::htmlCommand, {}), 1);
}
