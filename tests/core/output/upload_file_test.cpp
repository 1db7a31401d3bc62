#include "files/file_io.h"
#include "output/crlf.h"
#include "output/small_event.h"
#include "output/small_race.h"
#include "output/upload_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

using namespace vexa;
using namespace vexa::test;

namespace {

std::string fileText(const std::filesystem::path& path) {
    const auto bytes = readWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

} // namespace

TEST(UploadFormats, XmlTimeAndDate) {
    struct Case {
        double t;
        const char* text;
    };
    for (const Case& c :
         {Case{65.123, "01:05.123"}, Case{3725.5, "01:02:05.500"}, Case{5.25, "00:05.250"},
          Case{0.0, "0"}, Case{-1.0, "0"}, Case{600.0, "10:00.000"}, Case{36000.0, "10:00:00.000"},
          Case{59.9, "00:59.900"}, Case{3.6e35, "0"},
          Case{std::numeric_limits<double>::infinity(), "0"}})
        EXPECT_EQ(FormatXmlTime(c.t), c.text) << c.t;
    const LocalMoment morning = LocalMoment::withPlainTexts(2026, 3, 7, 9, 4, 59);
    EXPECT_EQ(FormatXmlDate(morning, false), "2026-03-07");
    EXPECT_EQ(FormatXmlDate(morning, true), "2026-03-07 09:04");
    EXPECT_EQ(FormatXmlDate(testMoment(), true), "2026-12-08 14:05");
}

TEST(UploadFile, TwoRacesCollectedInTheEventDirectory) {
    TempDir dir;
    Program p = smallProgram();
    p.settings.eventTitle = R"(Spring "Open" & Cup)";
    p.paths = EventPaths::in(dir.path());
    comp_ent& ann = p.event.competitor(4);
    ann.name = "Ann";
    ann.classno = 2;

    const RaceDrivers heat = smallRaceDrivers();
    FinishedRace heatRace = heatOf(heat);
    heatRace.trackMiles = 500 * 0.00062137119;
    ASSERT_TRUE(UploadRun({p, testIdentity(), testMoment()}, heatRace));

    RaceDrivers final{entrant(4, "Ann", 3, 0, {20.5, 19.25, 19.25}),
                      entrant(0, "Unknown 4321", 5, 4321, {21.0, 20.0, 22.0})};
    final[0].runorder = 0;
    final[1].runorder = 1;
    const LocalMoment later = LocalMoment::withPlainTexts(2026, 12, 8, 15, 30, 0);
    ASSERT_TRUE(UploadRun({p, testIdentity(), later}, {final, 2, 4, true, 2, "A", 0.0}));

    const std::string tail = R"(Qualified="1" Status="1" BestSpd="0" />)";
    EXPECT_EQ(
        fileText(dir.path() / "mlri.dat"),
        crlf({
            R"(<UPLOAD>)",
            R"(<EVENT TrackName="Test Raceway" TrackLength=" 0.311" TrackUnit="M" EventName="Spring &quot;Open&quot; &amp; Cup" EventDate="2026-12-08" EventEndDate="2026-12-08" EventSport="5">)",
            "",
            R"(<RUN Name="Heat:3 Round:2" RunType="Q" RunDateTime="2026-12-08 14:05">)",
            R"(<RESULT FirstName="Ann" LastName="Lee" DisplayName="Ann Lee" Pos="1" Class="Touring" Laps="3" TotalTm="01:35.500" Points="1" PosInClass="1" BestTm="00:31.200" In_Lap="1" LastTm="00:32.200" DiffTime="0" DiffLaps="0" Gap="0" Transponder1="1234567" )" +
                tail,
            R"(<RESULT FirstName="Bob" LastName="Stone" DisplayName="Bob Stone" Pos="2" Class="Touring" Laps="3" TotalTm="01:37.250" Points="2" PosInClass="2" BestTm="00:32.000" In_Lap="1" LastTm="00:32.250" DiffTime="00:01.750" DiffLaps="0" Gap="00:01.750" Transponder1="9999999" )" +
                tail,
            R"(<RESULT FirstName="Christopher" LastName="Montgomery Jr" DisplayName="Christopher Montgomery Jr" Pos="3" Class="Buggy" Laps="1" TotalTm="00:40.000" Points="3" PosInClass="3" BestTm="00:40.000" In_Lap="1" LastTm="00:40.000" DiffTime="0" DiffLaps="2" Gap="0" Transponder1="555" )" +
                tail,
            R"(</RUN>)",
            R"(<RUN Name="A Final:2 Round:4" RunType="R" RunDateTime="2026-12-08 15:30">)",
            R"(<RESULT FirstName="Ann" LastName="Ann" DisplayName="Ann" Pos="1" Class="Buggy" Laps="3" TotalTm="00:59.000" Points="1" PosInClass="1" BestTm="00:19.250" In_Lap="2" LastTm="00:19.250" DiffTime="0" DiffLaps="0" Gap="0" Transponder1="9999999" )" +
                tail,
            R"(<RESULT FirstName="Unknown" LastName="4321" DisplayName="Unknown 4321" Pos="2" Class="" Laps="3" TotalTm="01:03.000" Points="2" PosInClass="2" BestTm="00:20.000" In_Lap="2" LastTm="00:22.000" DiffTime="00:04.000" DiffLaps="0" Gap="00:04.000" Transponder1="4321" )" +
                tail,
            R"(</RUN>)",
        }));
}

TEST(UploadFile, EmptyTitleNamesTheEventByDateAndNoEventDirectoryWritesNothing) {
    TempDir dir;
    Program p = smallProgram();
    p.settings.eventTitle.clear();
    const ReportContext context{p, testIdentity(), testMoment()};
    EXPECT_NE(uploadHeaderText(context, 0.0).find(R"( EventName="08/12/2026" )"),
              std::string::npos);

    p.paths = EventPaths::in(dir.path() / "gone");
    const RaceDrivers heat = smallRaceDrivers();
    EXPECT_TRUE(UploadRun(context, heatOf(heat)));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "gone"));
}

TEST(UploadCommand, CompletesTheDocumentTheSameEachTimeAndFindsTheUploader) {
    TempDir home;
    Program p = smallProgram();
    p.home.root = home.path();
    const std::filesystem::path eventDir = home.path() / "event files" / "Day";
    std::filesystem::create_directories(eventDir);
    p.paths = EventPaths::in(eventDir);

    UploadCommandResult nothing = uploadResults(p);
    EXPECT_TRUE(nothing.outcome);
    EXPECT_FALSE(std::filesystem::exists(home.path() / "mld.xml"));
    EXPECT_FALSE(nothing.uploader);

    const RaceDrivers heat = smallRaceDrivers();
    ASSERT_TRUE(UploadRun({p, testIdentity(), testMoment()}, heatOf(heat)));
    const std::string collected = fileText(eventDir / "mlri.dat");
    ASSERT_TRUE(uploadResults(p).outcome);
    const UploadCommandResult again = uploadResults(p);
    ASSERT_TRUE(again.outcome);
    EXPECT_EQ(fileText(home.path() / "mld.xml"), collected + "</EVENT> </UPLOAD>\r\n");
    EXPECT_EQ(fileText(eventDir / "mlri.dat"), collected);
    EXPECT_FALSE(again.uploader);

    std::ofstream(home.path() / "mlu.exe") << "x";
    EXPECT_EQ(uploadResults(p).uploader, home.path() / "mlu.exe");
}
