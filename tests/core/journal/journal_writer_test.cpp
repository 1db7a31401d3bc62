#include "journal/journal_writer.h"

#include "files/file_io.h"
#include "race/virtual_time.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

class JournalWriterTest : public ::testing::Test {
  protected:
    Journal onDisk(const fs::path& path) {
        const auto bytes = readWholeFile(path);
        if (!bytes) return {};
        return readJournal(std::string(bytes->begin(), bytes->end()));
    }
    static ScriptEvent key(char k) {
        ScriptEvent e;
        e.data = std::string(1, k);
        return e;
    }

    test::TempDir dir;
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    JournalWriter writer{dir.path(), clock, scheduler, 77};
    const fs::path first = dir.path() / "h1r2.journal";
};

} // namespace

TEST_F(JournalWriterTest, CarriedToTheDiskAsItIsWritten) {
    // As the program writes it: each hand-over to the system is synced to the disk too.
    writer.carryToDisk(true);
    writer.countdownOpened({2, true, 1}, false);
    writer.input(key('1'));
    scheduler.advanceTo(250);
    EXPECT_EQ(onDisk(first).inputs.size(), 1u);
    writer.raceSetUp({2, true, 1}, {{1, 5, -1, -1.0}});
    writer.raceStored();
    EXPECT_EQ(onDisk(first).endMs, 250);
    EXPECT_EQ(writer.problem(), "");
}

TEST_F(JournalWriterTest, InputsReachTheFileWithin250MsOfTheClock) {
    scheduler.advanceTo(1000);
    writer.countdownOpened({2, true, 1}, false);
    ASSERT_TRUE(onDisk(first).header);
    EXPECT_EQ(onDisk(first).header->startMs, 1000);

    writer.input(key('1'));
    scheduler.advanceTo(1100);
    writer.input(key('2'));
    scheduler.advanceTo(1249);
    EXPECT_TRUE(onDisk(first).inputs.empty()); // gathered in memory
    scheduler.advanceTo(1250);
    EXPECT_EQ(onDisk(first).inputs.size(), 2u);
    EXPECT_EQ(onDisk(first).inputs[1].ms, 1100);
    EXPECT_EQ(scheduler.runningTimers(), 0u); // nothing waits while nothing is gathered

    // The race's set-up, end and storing are written at once.
    writer.raceSetUp({2, true, 1}, {{1, 5, -1, -1.0}});
    EXPECT_TRUE(onDisk(first).raceSetUp());
    writer.input(key('3'));
    writer.raceEnded();
    EXPECT_EQ(onDisk(first).inputs.size(), 3u);
    scheduler.advanceTo(3250);
    writer.raceStored();
    EXPECT_EQ(onDisk(first).endMs, 3250);
    EXPECT_TRUE(writer.currentPath().empty());
    EXPECT_TRUE(writer.problem().empty());
}

TEST_F(JournalWriterTest, OneJournalPerRaceAndARaceRunAgainGetsANewOne) {
    writer.countdownOpened({2, true, 1}, false);
    writer.raceSetUp({2, true, 1}, {});
    writer.raceStored();
    writer.countdownOpened({2, false, 3}, false);
    EXPECT_EQ(writer.currentPath(), dir.path() / "f3r2.journal");
    EXPECT_EQ(onDisk(dir.path() / "f3r2.journal").header->ordinal, 2);
    // The countdown to the final was left before the race was set up: nothing to keep.
    writer.leave();
    EXPECT_FALSE(fs::exists(dir.path() / "f3r2.journal"));

    JournalWriter again(dir.path(), clock, scheduler, 78);
    again.countdownOpened({2, true, 1}, false);
    EXPECT_EQ(again.currentPath(), dir.path() / "h1r2-2.journal");
    again.raceSetUp({2, true, 1}, {});
    again.leave(); // set up and not stored: kept for a resume
    EXPECT_TRUE(fs::exists(dir.path() / "h1r2-2.journal"));
    EXPECT_TRUE(onDisk(first).ended());
    EXPECT_EQ(onDisk(first).header->sitting, 77);
}

// A race run again from its journal: the records the journal holds are checked, not written
// again, so that a stop half-way never leaves it shorter; what follows is appended. A race that
// goes otherwise has its journal written afresh.
TEST_F(JournalWriterTest, ARaceRunAgainFromItsJournalNeverShortensIt) {
    const fs::path path = dir.path() / "h1r2.journal";
    const auto race = [&](JournalWriter& w, char lastKey, bool store) {
        w.reuse(1, path);
        w.countdownOpened({2, true, 1}, false);
        w.raceSetUp({2, true, 1}, {{1, 5, -1, -1.0}});
        scheduler.advanceTo(500);
        w.input(key('1'));
        w.flush();
        scheduler.advanceTo(900);
        w.input(key(lastKey));
        if (store) w.raceStored();
        w.flush();
    };
    {
        JournalWriter original(dir.path(), clock, scheduler, 77);
        race(original, '2', false);
    }
    const std::vector<uint8_t> written = readWholeFile(path).value_or(std::vector<uint8_t>{});
    std::string cut(written.begin(), written.end());
    cut += "900 key 3"; // a record cut short by the stop
    ASSERT_TRUE(writeFileAtomic(path, cut).ok);
    clock.set(0);

    JournalWriter again(dir.path(), clock, scheduler, 77);
    again.reuse(1, path);
    again.countdownOpened({2, true, 1}, false);
    EXPECT_EQ(onDisk(path).inputs.size(), 2u); // still all there while the race is run again
    EXPECT_FALSE(onDisk(path).cut);
    again.raceSetUp({2, true, 1}, {{1, 5, -1, -1.0}});
    scheduler.advanceTo(500);
    again.input(key('1'));
    scheduler.advanceTo(900);
    again.input(key('2'));
    scheduler.advanceTo(1000);
    again.input(key('3'));
    again.raceStored();
    Journal j = onDisk(path);
    ASSERT_EQ(j.inputs.size(), 3u);
    EXPECT_EQ(j.inputs[2].data, "3");
    EXPECT_TRUE(j.ended());
    EXPECT_EQ(j.setUps.size(), 1u);

    clock.set(0);
    JournalWriter otherwise(dir.path(), clock, scheduler, 77);
    race(otherwise, '9', true);
    j = onDisk(path);
    ASSERT_EQ(j.inputs.size(), 2u);
    EXPECT_EQ(j.inputs[1].data, "9");
    EXPECT_TRUE(j.ended());
}

TEST_F(JournalWriterTest, AFolderThatCannotBeWrittenIsReportedOnce) {
    JournalWriter nowhere(dir.path() / "missing" / "folder", clock, scheduler, 1);
    std::vector<std::string> told;
    nowhere.onProblem([&](const std::string& text) { told.push_back(text); });
    nowhere.countdownOpened({1, true, 1}, false);
    nowhere.input(key('1'));
    nowhere.flush();
    nowhere.countdownOpened({1, true, 2}, false);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("h1r1.journal could not be written"), std::string::npos) << told[0];
    EXPECT_EQ(nowhere.problem(), told[0]);
}
