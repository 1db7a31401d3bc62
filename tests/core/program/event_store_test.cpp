#include "files/event_files.h"
#include "files/file_io.h"
#include "files/freq_names_file.h"
#include "files/settings_file.h"
#include "program/event_store.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

class EventStore : public test::ProgramFixture {};

TEST(EventNames, DefaultNameFromDate) {
    EXPECT_EQ(defaultEventName(2026, 12, 8), "8 DEC 2026");
    EXPECT_EQ(defaultEventName(2027, 1, 31), "31 JAN 2027");
    EXPECT_EQ(defaultEventName(2027, 5, 1), "1 MAY 2027");
}

TEST(EventNames, RefusesNamesThatAreNotOnePlainFolder) {
    const char* refused[] = {"",      "   ",       "../x",  "a/b",   "a\\b", "..",       ".",
                             " x",    "x ",        "a:b",   "what?", "x*",   "a|b",      "<a>",
                             "\"q\"", "tab\there", "ends.", "CON",   "com1", "Lpt9.txt", "a..b"};
    for (const char* name : refused) EXPECT_FALSE(validateEventName(name).ok) << name;
    const char* accepted[] = {"8 DEC 2026", "Club Champs", "Round 3 (wet)",
                              "v1.2 test",  "Console",     "COM10"};
    for (const char* name : accepted) EXPECT_TRUE(validateEventName(name).ok) << name;
    EXPECT_EQ(validateEventName("").message, "Please type a name for the event");
}

TEST_F(EventStore, CreateWritesTheFiveFilesAndRefusesAnExistingFolder) {
    ASSERT_TRUE(createEvent(program, "8 DEC 2026").ok);
    const fs::path eventDir = dir.path() / "event files" / "8 DEC 2026";
    EXPECT_TRUE(fs::is_directory(eventDir / "html"));
    EXPECT_EQ(fs::file_size(eventDir / "eventfile.qmf"), 136u);
    EXPECT_EQ(fs::file_size(eventDir / "eventfile.qdd"), 504u); // the header alone
    EXPECT_EQ(fs::file_size(eventDir / "eventfile.qht"), 0u);
    EXPECT_EQ(fs::file_size(eventDir / "eventfile.qft"), 0u);
    EXPECT_EQ(fs::file_size(eventDir / "eventfile.qrf"), 0u);
    EXPECT_TRUE(program.eventOpen());
    EXPECT_TRUE(fs::is_directory(dir.path() / "database"));

    Program second;
    second.home.root = dir.path();
    startProgram(second);
    EXPECT_EQ(createEvent(second, "8 DEC 2026").message,
              "An event with this name has already been created, please try a different name");
    fs::create_directories(dir.path() / "event files" / "empty folder");
    EXPECT_EQ(createEvent(second, "empty folder").message,
              "An event with this name has already been created, please try a different name");
    EXPECT_FALSE(second.eventOpen());
    EXPECT_FALSE(createEvent(second, "../outside").ok);
    EXPECT_FALSE(fs::exists(dir.path() / "outside"));
}

TEST_F(EventStore, OpenReadsAnEventAndRefusesAFolderWithoutOne) {
    program.event.competitor(3).name = "Ann Lee";
    program.event.storeResult(3, 2, 11, 305.5);
    program.event.heats.setSlotText(1, 1, "3");
    program.settings.eventTitle = "Winter Series";
    ASSERT_TRUE(createEvent(program, "Winter").ok);
    fs::create_directories(dir.path() / "event files" / "Not An Event");

    EXPECT_EQ(listEvents(program.home), (std::vector<std::string>{"Not An Event", "Winter"}));

    Program again;
    again.home.root = dir.path();
    startProgram(again);
    const OpenEventResult refused = openEvent(again, "Not An Event");
    EXPECT_FALSE(refused.opened);
    EXPECT_EQ(refused.message, "The directory you have chosen does not contain an event");
    EXPECT_FALSE(again.eventOpen());

    const OpenEventResult opened = openEvent(again, "Winter");
    EXPECT_TRUE(opened.opened);
    EXPECT_EQ(opened.message, "");
    EXPECT_EQ(again.event.competitor(3).name, "Ann Lee");
    EXPECT_EQ(again.event.cptres[3].laps[2], 11);
    EXPECT_EQ(again.event.heats.idAt(1, 1), 3);
    EXPECT_EQ(again.settings.eventTitle, "Winter Series");
}

TEST_F(EventStore, OpenWithoutCompetitorsOrResultsFile) {
    ASSERT_TRUE(createEvent(program, "Partial").ok);
    fs::remove(program.paths->competitors);
    fs::remove(program.paths->results);
    Program again;
    again.home.root = dir.path();
    startProgram(again);
    const OpenEventResult opened = openEvent(again, "Partial");
    EXPECT_TRUE(opened.opened);
    EXPECT_EQ(opened.message, "The drivers file to be loaded did not exist");
    for (int id = 1; id <= 300; ++id) EXPECT_FALSE(again.event.cptres[id].hasResult(1));
}

TEST_F(EventStore, FrequencyNamesFile) {
    // A home the program never ran in starts with the common crystal channels.
    Program fresh;
    test::TempDir other;
    fresh.home.root = other.path();
    EXPECT_TRUE(startProgram(fresh).empty());
    EXPECT_EQ(fresh.freqnames.name(1), "27MHz Ch1 26.995");
    EXPECT_EQ(fresh.freqnames.name(7), "40MHz 40.665");
    EXPECT_EQ(fresh.freqnames.name(40), "40MHz 40.995");
    EXPECT_EQ(fresh.freqnames.name(41), "75MHz Ch61 75.410");
    EXPECT_EQ(fresh.freqnames.name(70), "75MHz Ch90 75.990");
    EXPECT_EQ(fresh.freqnames.name(71), "");

    // A home that has run before but lost vexa.qfq says so and leaves every name empty.
    fs::remove(fresh.home.freqNamesFile());
    saveSettingsFile(fresh.home.iniFile(), fresh.settings);
    Program again;
    again.home.root = other.path();
    EXPECT_EQ(startProgram(again),
              (std::vector<std::string>{"The frequency file could not be found. The program will "
                                        "work, but without frequency names"}));
    EXPECT_EQ(again.freqnames.name(1), "");

    FreqNames names;
    names.names[1] = "27.145 Ch 1";
    names.names[200] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"; // cut to 20 characters
    ASSERT_TRUE(saveFreqNames(program.home.freqNamesFile(), names).ok);
    const auto bytes = *readWholeFile(program.home.freqNamesFile());
    ASSERT_EQ(bytes.size(), 4200u);
    std::vector<uint8_t> expected(4200, 0);
    const std::string first = "27.145 Ch 1";
    expected[0] = static_cast<uint8_t>(first.size());
    std::copy(first.begin(), first.end(), expected.begin() + 1);
    const std::string last = "ABCDEFGHIJKLMNOPQRST";
    expected[199 * 21] = 20;
    std::copy(last.begin(), last.end(), expected.begin() + 199 * 21 + 1);
    EXPECT_EQ(bytes, expected);

    FreqNames back;
    ASSERT_TRUE(loadFreqNames(program.home.freqNamesFile(), back).ok);
    EXPECT_EQ(back.name(1), "27.145 Ch 1");
    EXPECT_EQ(back.name(200), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(back.name(0), "");
    EXPECT_EQ(back.name(201), "");
}

TEST_F(EventStore, FirstFrequencyNamesFromTheShippedFile) {
    test::TempDir shipped;
    FreqNames club;
    club.names[1] = "2.4GHz";
    club.names[2] = "27.145 Ch 1";
    ASSERT_TRUE(saveFreqNames(shipped.path() / "vexa.qfq", club).ok);

    // A fresh home takes the installation's names and keeps them in its own file.
    Program fresh;
    test::TempDir home;
    fresh.home.root = home.path();
    EXPECT_TRUE(startProgram(fresh, shipped.path() / "vexa.qfq").empty());
    EXPECT_EQ(fresh.freqnames.name(1), "2.4GHz");
    EXPECT_EQ(fresh.freqnames.name(2), "27.145 Ch 1");
    EXPECT_EQ(fresh.freqnames.name(3), "");
    FreqNames kept;
    ASSERT_TRUE(loadFreqNames(fresh.home.freqNamesFile(), kept).ok);
    EXPECT_EQ(kept.name(2), "27.145 Ch 1");

    // A home that has run before keeps its own names.
    FreqNames own;
    own.names[1] = "Club channel";
    ASSERT_TRUE(saveFreqNames(fresh.home.freqNamesFile(), own).ok);
    Program again;
    again.home.root = home.path();
    EXPECT_TRUE(startProgram(again, shipped.path() / "vexa.qfq").empty());
    EXPECT_EQ(again.freqnames.name(1), "Club channel");

    // Without the shipped file a fresh home gets the common crystal channels.
    Program other;
    test::TempDir otherHome;
    other.home.root = otherHome.path();
    EXPECT_TRUE(startProgram(other, shipped.path() / "missing.qfq").empty());
    EXPECT_EQ(other.freqnames.name(1), "27MHz Ch1 26.995");
}

} // namespace

namespace {

TEST_F(EventStore, FrequencyNamesFromTheSetupRows) {
    program.freqnames.names[7] = "old name";
    std::vector<std::string> rows(200);
    rows[0] = "40.665 Blue";
    rows[1] = "27.095 Red and a name far too long";
    ASSERT_TRUE(saveFreqNameRows(program.home.freqNamesFile(), program.freqnames, rows).ok);
    EXPECT_EQ(program.freqnames.name(1), "40.665 Blue");
    EXPECT_EQ(program.freqnames.name(2), "27.095 Red and a nam");
    EXPECT_EQ(program.freqnames.name(7), "");
    FreqNames back;
    ASSERT_TRUE(loadFreqNames(program.home.freqNamesFile(), back).ok);
    EXPECT_EQ(back.names, program.freqnames.names);
}

} // namespace

TEST_F(EventStore, TheRadiosOfANewEventAreChosenOnceForItsDriversAndTheSettings) {
    ASSERT_TRUE(createEvent(program, "Club 24").ok);
    comp_ent& driver = program.event.competitor(1);
    driver.name = "Ann Lee";
    ASSERT_TRUE(chooseEventRadios(program, true).ok);
    EXPECT_FALSE(program.settings.requiresFreq);
    EXPECT_TRUE(driver.noFreqNeeded());
    // Both are on disk: the competitors file and the one key of the settings file.
    EventData read;
    readCompetitors(program.paths->competitors, read);
    EXPECT_TRUE(read.competitor(1).noFreqNeeded());
    ProgSettings settings;
    loadSettingsFile(program.home.iniFile(), settings);
    EXPECT_FALSE(settings.requiresFreq);

    // Frequencies after all: new drivers need one again; a driver's own choice stays.
    ASSERT_TRUE(chooseEventRadios(program, false).ok);
    EXPECT_TRUE(program.settings.requiresFreq);
    EXPECT_TRUE(driver.noFreqNeeded());
    loadSettingsFile(program.home.iniFile(), settings);
    EXPECT_TRUE(settings.requiresFreq);
}
