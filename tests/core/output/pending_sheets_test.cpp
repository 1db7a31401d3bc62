#include "files/file_io.h"
#include "output/pending_sheets.h"
#include "output/race_results_sheet.h"
#include "output/small_event.h"
#include "output/small_race.h"
#include "support/print_recorder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::test;

namespace {

// A job with every command, and texts that need escaping on their line.
RecordedPrintJob everyCommand() {
    RecordedPrintJob job;
    EXPECT_TRUE(job.open());
    job.setFontName("Courier New");
    job.setFontSize(10);
    job.setFontStyle(FontStyle::boldUnderline());
    job.write("back\\slash, line\nfeed, return\r, \xe9t\xe9");
    job.endLine();
    job.setFontStyle(FontStyle::italicStyle());
    job.write("");
    job.formFeed();
    EXPECT_TRUE(job.close());
    return job;
}

} // namespace

TEST(RecordedPrintJob, PrintsLaterWhatWasLaidOutAndSurvivesItsText) {
    const Program p = smallProgram();
    const RaceDrivers drivers = smallRaceDrivers();
    const ReportContext context{p, testIdentity(), testMoment()};
    PrintRecorder direct;
    ASSERT_TRUE(printRaceResultsSheet(direct, context, heatOf(drivers), {"Air 12C", "", "", ""}));

    RecordedPrintJob job;
    ASSERT_TRUE(printRaceResultsSheet(job, context, heatOf(drivers), {"Air 12C", "", "", ""}));
    const std::optional<RecordedPrintJob> back = RecordedPrintJob::fromText(job.text());
    ASSERT_TRUE(back);
    PrintRecorder later;
    ASSERT_TRUE(back->printOn(later));
    EXPECT_EQ(later.transcript, direct.transcript);
    EXPECT_EQ(later.opened, 1);
    EXPECT_EQ(later.closed, 1);

    const RecordedPrintJob all = everyCommand();
    EXPECT_EQ(RecordedPrintJob::fromText(all.text()), all);

    // A printer that cannot be opened prints nothing and says so.
    PrintRecorder refusing;
    refusing.refuseOpen = true;
    EXPECT_EQ(back->printOn(refusing).message, "No printer");
    EXPECT_TRUE(refusing.transcript.empty());
}

TEST(RecordedPrintJob, TextThatIsNoJobIsRefused) {
    for (const char* text :
         {"W torn", "Q unknown\n", "Sten\n", "Y\n", "L extra\n", "Wbad\\x\n", "Wends in\\\n", "\n"})
        EXPECT_FALSE(RecordedPrintJob::fromText(text)) << text;
}

TEST(PendingSheets, KeptReadBackAndRemovedWhenNoneIsLeft) {
    TempDir dir;
    EXPECT_TRUE(readPendingSheets(dir.path()).empty());

    RecordedPrintJob second;
    second.write("heat 2");
    second.endLine();
    const std::vector<PendingSheet> sheets{{everyCommand(), 2}, {second, 1}};
    ASSERT_TRUE(keepPendingSheets(dir.path(), sheets));
    EXPECT_EQ(readPendingSheets(dir.path()), sheets);

    // A file damaged by hand gives the sheets before the damage.
    const auto bytes = readWholeFile(dir.path() / PendingSheetsFileName);
    ASSERT_TRUE(bytes);
    std::string text(bytes->begin(), bytes->end());
    ASSERT_TRUE(
        writeFileAtomic(dir.path() / PendingSheetsFileName, text.substr(0, text.size() - 3)));
    EXPECT_EQ(readPendingSheets(dir.path()), std::vector<PendingSheet>{sheets.front()});

    ASSERT_TRUE(keepPendingSheets(dir.path(), {}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / PendingSheetsFileName));
}
