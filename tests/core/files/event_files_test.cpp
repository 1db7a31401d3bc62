#include "files/event_files.h"
#include "files/file_io.h"
#include "support/bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace vexa;
using vexa::test::concat;
using vexa::test::hex;
using vexa::test::le32;
using vexa::test::Record;

namespace {

TEST(EventSettingsFile, GoldenBytesAndReadBack) {
    ProgSettings s;
    s.eventTitle = "Club Day";
    s.raceNumber = 7;
    s.roundNumber = 3;
    s.trackLength = "500";
    s.trackMeasureFeet = false;
    s.minLap = "7";
    s.lastStart = "30";
    s.raceInterval = "90";
    s.raceSetup = "45";
    s.lastLap = "25";
    s.maxRaceLaps = 12;
    s.countFirst = true;
    s.racingHeats = false;

    Record expected(136);
    expected.text(0, "Club Day")
        .at(84, le32(7))
        .at(88, le32(3))
        .at(92, hex("89 00 00 00 00 7A"))
        .at(98, {1})
        .at(100, le32(7))
        .at(104, le32(30))
        .at(112, le32(90))
        .at(116, le32(45))
        .at(120, le32(25))
        .at(124, le32(5))
        .at(128, le32(12))
        .at(132, {1, 0, 1, 1});
    EXPECT_EQ(eventSettingsBytes(s), expected.bytes);

    ProgSettings back;
    applyEventSettingsBytes(expected.bytes, back);
    EXPECT_EQ(back.eventTitle, "Club Day");
    EXPECT_EQ(back.raceNumber, 7);
    EXPECT_EQ(back.roundNumber, 3);
    EXPECT_EQ(back.trackLength, "500");
    EXPECT_FALSE(back.trackMeasureFeet);
    EXPECT_EQ(back.raceInterval, "90");
    EXPECT_EQ(back.raceSetup, "45");
    EXPECT_EQ(back.lastLap, "25");
    EXPECT_EQ(back.maxRaceLaps, 12);
    EXPECT_FALSE(back.racingHeats);
    EXPECT_TRUE(back.countFirst);
}

TEST(EventSettingsFile, ReadingRules) {
    Record r(136);
    r.at(84, le32(99)).at(88, le32(0)).at(92, hex("82 00 00 00 00 20")); // 2.5
    r.at(98, {2});                                                       // any value but 1 is feet
    r.at(132, {0, 1, 1, 1}); // offset 132 decides the first-lap check box over 135
    ProgSettings s;
    applyEventSettingsBytes(r.bytes, s);
    EXPECT_EQ(s.trackLength, "2.5");
    EXPECT_TRUE(s.trackMeasureFeet);
    EXPECT_FALSE(s.countFirst);
    EXPECT_TRUE(s.racingHeats);
    EXPECT_EQ(s.raceNumber, 50); // a damaged number is held inside the spin box's range
    EXPECT_EQ(s.roundNumber, 1);

    ProgSettings untouched;
    untouched.eventTitle = "Keep";
    applyEventSettingsBytes(std::vector<uint8_t>(100, 0xFF), untouched); // truncated record
    EXPECT_EQ(untouched.eventTitle, "Keep");
}

TEST(EventSettingsFile, TimesAndLapsAreHeldToTheRangesOfTheirFields) {
    // Offsets 100 (minimum lap), 104 (last start), 112 (interval), 116 (set-up), 120 (maximum
    // last lap) and 128 (maximum race laps) at both ends of the 32-bit range.
    for (const bool high : {true, false}) {
        Record r(136);
        const auto extreme = le32(high ? INT32_MAX : INT32_MIN);
        for (size_t offset : {100u, 104u, 112u, 116u, 120u, 128u}) r.at(offset, extreme);
        ProgSettings s;
        applyEventSettingsBytes(r.bytes, s);
        EXPECT_EQ(s.minLap, high ? "99" : "0");
        EXPECT_EQ(s.lastStart, high ? "999" : "0");
        EXPECT_EQ(s.raceInterval, high ? "999" : "0");
        EXPECT_EQ(s.raceSetup, high ? "999" : "0");
        EXPECT_EQ(s.lastLap, high ? "999" : "0");
        EXPECT_EQ(s.maxRaceLaps, high ? 9999 : 0);
    }
}

Record competitorHeader() {
    Record h(504);
    h.text(4, "Vexa V0.00");
    return h;
}

TEST(CompetitorsFile, GoldenBytesAndReadBack) {
    EventData e;
    comp_ent& c = e.competitor(12);
    c.name = "Ann Lee";
    c.ability = 55;
    c.memno = "A123";
    c.classno = 3;
    c.heatfreq = 4;
    c.finalfreq = 9;
    c.setOwnedFreqs({4, 9, 17});
    c.enabled = 'N';
    c.picture = "ann.jpg";
    c.transponder = 1234567;
    e.competitor(300).name = "Zed";
    e.competitor(300).setNoFreqNeeded(true);
    e.competitor(5).transponder = 99; // no name: not in use, not written

    Record ann(504);
    ann.at(0, le32(12))
        .text(4, "Ann Lee")
        .at(30, {55})
        .text(31, "A123")
        .at(38, {3, 9, 4}) // class, then the final frequency before the heat frequency
        .at(41, {3, 4, 9, 17})
        .at(242, {'N'})
        .text(243, "ann.jpg")
        .at(500, le32(1234567));
    Record zed(504);
    zed.at(0, le32(300)).text(4, "Zed").at(241, {205, 'Y'});

    const auto expected = concat({competitorHeader().bytes, ann.bytes, zed.bytes});
    EXPECT_EQ(competitorsBytes(e), expected);

    EventData back;
    applyCompetitorsBytes(expected, back);
    const comp_ent& a = back.competitor(12);
    EXPECT_EQ(a.name, "Ann Lee");
    EXPECT_EQ(a.ability, 55);
    EXPECT_EQ(a.memno, "A123");
    EXPECT_EQ(a.classno, 3);
    EXPECT_EQ(a.heatfreq, 4);
    EXPECT_EQ(a.finalfreq, 9);
    EXPECT_EQ(a.ownedFreqs(), (std::vector<int>{4, 9, 17}));
    EXPECT_FALSE(a.noFreqNeeded());
    EXPECT_EQ(a.enabled, 'N');
    EXPECT_EQ(a.picture, "ann.jpg");
    EXPECT_EQ(a.transponder, 1234567);
    EXPECT_TRUE(back.competitor(300).noFreqNeeded());
    EXPECT_FALSE(back.competitor(5).inUse());
}

TEST(CompetitorsFile, FullOwnedListWithFlagComesBackWithFlagInPlaceOf200th) {
    EventData e;
    comp_ent& c = e.competitor(1);
    c.name = "Full";
    std::vector<int> all;
    for (int f = 1; f <= 200; ++f) all.push_back(f);
    c.setOwnedFreqs(all);
    c.setNoFreqNeeded(true);
    EventData back;
    applyCompetitorsBytes(competitorsBytes(e), back);
    const auto owned = back.competitor(1).ownedFreqs();
    ASSERT_EQ(owned.size(), 200u);
    EXPECT_EQ(owned[198], 199);
    EXPECT_EQ(owned[199], 205);
    EXPECT_TRUE(back.competitor(1).noFreqNeeded());
}

TEST(CompetitorsFile, EmptyEventAndDamagedRecords) {
    EventData empty;
    EXPECT_EQ(competitorsBytes(empty), competitorHeader().bytes);

    Record bad(504);
    bad.at(0, le32(301)).text(4, "Out Of Range");
    Record zero(504);
    zero.at(0, le32(0)).text(4, "Zero");
    Record good(504);
    good.at(0, le32(2)).text(4, "Good");
    good.bytes[4] = 200; // a length byte beyond the capacity reads as the capacity
    auto file = concat({competitorHeader().bytes, bad.bytes, zero.bytes, good.bytes});
    file.resize(file.size() + 300, 0x41); // truncated last record
    EventData e;
    applyCompetitorsBytes(file, e);
    EXPECT_EQ(e.competitor(2).name.size(), 25u);
    int inUse = 0;
    for (int id = 1; id <= 300; ++id) inUse += e.competitor(id).inUse();
    EXPECT_EQ(inUse, 1);
}

TEST(TableFile, GoldenBytesColumnByColumnAndCut) {
    RacingTable t;
    t.setInfo(1, "3/B");
    t.setSlotText(1, 20, "12");
    t.setSlotText(2, 1, "1234567"); // cut to 6 characters in the file
    t.setSlotText(50, 1, "300");
    const auto expected = concat({
        Record(16).at(0, le32(2)).at(4, le32(1)).text(8, "3/B").bytes,
        Record(16).at(0, le32(2)).at(4, le32(21)).text(8, "12").bytes,
        Record(16).at(0, le32(3)).at(4, le32(2)).text(8, "123456").bytes,
        Record(16).at(0, le32(51)).at(4, le32(2)).text(8, "300").bytes,
    });
    EXPECT_EQ(tableBytes(t), expected);

    RacingTable back;
    back.setSlotText(9, 9, "old");
    auto file = concat({expected, Record(16).at(0, le32(52)).at(4, le32(2)).text(8, "7").bytes,
                        Record(16).at(0, le32(2)).at(4, le32(22)).text(8, "8").bytes});
    file.push_back(1); // truncated tail
    applyTableBytes(file, back);
    EXPECT_EQ(back.slotText(9, 9), ""); // cleared before reading
    EXPECT_EQ(back.info(1), "3/B");
    EXPECT_EQ(back.slotText(1, 20), "12");
    EXPECT_EQ(back.slotText(2, 1), "123456");
    EXPECT_EQ(back.idAt(50, 1), 300);
    EXPECT_EQ(back.idAt(2, 1), 0); // not an Id
}

TEST(ResultsFile, GoldenBytesAndReadBack) {
    EventData e;
    e.storeResult(1, 1, 0, -1.0);   // laps 0 is a result
    e.storeResult(1, 20, -1, 12.5); // a time alone is a result
    e.storeResult(300, 2, 14, 300.125);
    const auto expected = concat({
        Record(20)
            .at(0, le32(1))
            .at(4, le32(1))
            .at(8, le32(0))
            .at(12, hex("81 00 00 00 00 80"))
            .bytes,
        Record(20)
            .at(0, le32(1))
            .at(4, le32(20))
            .at(8, le32(-1))
            .at(12, hex("84 00 00 00 00 48"))
            .bytes,
        Record(20)
            .at(0, le32(300))
            .at(4, le32(2))
            .at(8, le32(14))
            .at(12, hex("89 00 00 00 10 16"))
            .bytes,
    });
    EXPECT_EQ(resultsBytes(e), expected);

    EventData back;
    back.storeResult(7, 7, 3, 3.0);
    auto file = concat({expected, Record(20).at(0, le32(2)).at(4, le32(21)).at(8, le32(9)).bytes});
    file.resize(file.size() + 7);
    applyResultsBytes(file, back);
    EXPECT_FALSE(back.cptres[7].hasResult(7)); // every result cleared before reading
    EXPECT_EQ(back.cptres[1].laps[1], 0);
    EXPECT_EQ(back.cptres[1].time[1], -1.0);
    EXPECT_EQ(back.cptres[1].time[20], 12.5);
    EXPECT_EQ(back.cptres[300].laps[2], 14);
    EXPECT_EQ(back.cptres[300].time[2], 300.125);
    EXPECT_FALSE(back.cptres[2].hasResult(20));
    EXPECT_TRUE(resultsBytes(EventData{}).empty());
}

TEST(EventFiles, MissingFilesAndTheDriversMessage) {
    test::TempDir dir;
    const EventPaths paths = EventPaths::in(dir.path());
    ProgSettings s;
    s.eventTitle = "Unchanged";
    EventData e;
    e.storeResult(3, 3, 3, 3.0);
    e.heats.setSlotText(1, 1, "3");
    const Outcome read = readAllEventFiles(paths, s, e);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, "The drivers file to be loaded did not exist");
    EXPECT_EQ(s.eventTitle, "Unchanged");
    EXPECT_TRUE(e.cptres[3].hasResult(3));
    EXPECT_EQ(e.heats.slotText(1, 1), "3");
}

TEST(EventFiles, WriteIsAtomicAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto path = dir.path() / "eventfile.qrf";
    EventData e;
    e.storeResult(4, 1, 10, 61.5);
    ASSERT_TRUE(writeResults(path, e).ok);
    EXPECT_EQ(*readWholeFile(path), resultsBytes(e));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "eventfile.qrf.tmp"));

    // A file that cannot be replaced is reported and the old content stays whole.
    const auto blocked = dir.path() / "blocked";
    std::filesystem::create_directories(blocked / "eventfile.qrf");
    const Outcome failed = writeResults(blocked / "eventfile.qrf", e);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.message.find("could not be written"), std::string::npos);
}

} // namespace
