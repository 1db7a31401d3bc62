#include "files/event_files.h"
#include "files/file_io.h"
#include "model/competitor_edits.h"
#include "program/event_saves.h"
#include "program/event_store.h"
#include "program/main_screens.h"
#include "support/event_builder.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::driver;
using vexa::test::seat;
namespace fs = std::filesystem;

namespace {

class EventSaves : public test::ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        ASSERT_TRUE(createEvent(program, "Club").ok);
    }
    std::vector<uint8_t> file(const fs::path& path) { return readWholeFile(path).value(); }
};

TEST_F(EventSaves, NothingIsWrittenWithoutAnEvent) {
    Program none;
    none.home.root = dir.path() / "elsewhere";
    driver(none.event, 1, "Ann Lee");
    EXPECT_TRUE(saveCompetitors(none).ok);
    EXPECT_TRUE(saveCompetitorsAndResults(none).ok);
    EXPECT_TRUE(saveAfterDeletion(none).ok);
    EXPECT_FALSE(fs::exists(dir.path() / "elsewhere"));
}

TEST_F(EventSaves, ADeletionWritesTheFourFiles) {
    driver(program.event, 5, "Ann Lee");
    seat(program.event.heats, 2, {5});
    seat(program.event.heats, 6, {5});
    program.event.storeResult(5, 1, 10, 300.0);
    ASSERT_TRUE(saveAfterDeletion(program).ok);
    deleteCompetitor(program.event, 5);
    ASSERT_TRUE(saveAfterDeletion(program).ok);

    EventData back;
    ASSERT_TRUE(readCompetitors(program.paths->competitors, back).ok);
    readTable(program.paths->heats, back.heats);
    readResults(program.paths->results, back);
    EXPECT_FALSE(back.competitor(5).inUse());
    EXPECT_EQ(back.heats.idAt(2, 1), 5);
    EXPECT_EQ(back.heats.idAt(6, 1), 0);
    EXPECT_FALSE(back.cptres[5].hasResult(1));
    EXPECT_EQ(file(program.paths->finals), tableBytes(program.event.finals));
    EXPECT_EQ(file(program.paths->results), resultsBytes(program.event));
}

TEST_F(EventSaves, AFailedWriteIsReportedAndTheOtherFilesAreStillWritten) {
    driver(program.event, 1, "Ann Lee");
    // A folder where the results file should be cannot be replaced by a file.
    fs::remove(program.paths->results);
    fs::create_directories(program.paths->results / "blocked");
    const Outcome saved = saveCompetitorsAndResults(program);
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.message.empty());
    EXPECT_EQ(file(program.paths->competitors), competitorsBytes(program.event));
}

TEST_F(EventSaves, LeavingTheProgramWritesTheOpenDriversDatabase) {
    MainScreens screens(program);
    const fs::path qad = program.home.databaseDir() / "club.qad";
    EXPECT_TRUE(screens.saveOnExit().ok); // no database open: nothing to write
    EXPECT_FALSE(fs::exists(qad));

    newDriversDatabase(program.database, qad);
    driver_ent d;
    d.name = "Ann Lee";
    ASSERT_TRUE(saveDatabaseRecord(program.database, d, std::nullopt).outcome.ok);
    EXPECT_TRUE(screens.saveOnExit().ok);
    EXPECT_EQ(file(qad), databaseBytes(program.database));

    // A database that cannot be written keeps the program open with the reason.
    fs::remove(qad);
    fs::create_directories(qad / "blocked");
    const Outcome refused = screens.saveOnExit();
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.message.empty());
}

} // namespace
