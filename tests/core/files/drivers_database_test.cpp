#include "files/database_transfer.h"
#include "files/drivers_database.h"
#include "files/file_io.h"
#include "programme/database_csv_export.h"
#include "programme/database_list.h"
#include "support/bytes.h"
#include "support/event_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::concat;
using vexa::test::hex;
using vexa::test::le32;
using vexa::test::Record;

namespace {

// Ann Lee's record, laid out by hand from the record's offsets.
Record annRecord(int32_t id) {
    Record r(732);
    r.at(0, le32(id))
        .text(4, "Ann Lee")
        .at(30, hex("37 00")) // ability 55
        .text(32, "A123456789")
        .at(48, {3})          // class
        .at(50, hex("12 00")) // preferred frequency 18
        .at(52, {2, 1, 18})   // owned: 1 and 18
        .text(253, "1 High Street")
        .text(294, "Lowtown")
        .text(335, "Shire")
        .text(376, "AB1 2CD")
        .text(387, "0123 456")
        .text(418, "ann@example.org")
        .text(459, "ann.jpg")
        .at(716, le32(1234567));
    return r;
}

driver_ent ann() {
    driver_ent d;
    d.id = 7;
    d.name = "Ann Lee";
    d.ability = 55;
    d.memno = "A123456789";
    d.classno = 3;
    d.preffreq = 18;
    d.setOwnedFreqs({1, 18});
    d.address1 = "1 High Street";
    d.address2 = "Lowtown";
    d.address3 = "Shire";
    d.postcode = "AB1 2CD";
    d.tel = "0123 456";
    d.email = "ann@example.org";
    d.picture = "ann.jpg";
    d.transponder = 1234567;
    return d;
}

TEST(DriversDatabaseFile, GoldenRecordAndReadBack) {
    EXPECT_EQ(driverRecordBytes(ann()), annRecord(7).bytes);

    Record flagged = annRecord(9);
    flagged.at(252, {205}).at(730, {0xAB}).at(49, {0x11});
    const driver_ent back = driverFromRecord(flagged.bytes.data());
    EXPECT_EQ(back.id, 9);
    EXPECT_EQ(back.name, "Ann Lee");
    EXPECT_EQ(back.ability, 55);
    EXPECT_EQ(back.memno, "A123456789");
    EXPECT_EQ(back.classno, 3);
    EXPECT_EQ(back.preffreq, 18);
    EXPECT_EQ(back.ownedFreqs(), (std::vector<int>{1, 18}));
    EXPECT_TRUE(back.noFreqNeeded());
    EXPECT_EQ(back.email, "ann@example.org");
    EXPECT_EQ(back.picture, "ann.jpg");
    EXPECT_EQ(back.transponder, 1234567);
    // Reserved bytes read from a file are written back as they were.
    EXPECT_EQ(driverRecordBytes(back), flagged.bytes);
}

TEST(DriversDatabaseFile, LoadingSkipsDeadIdsAndATruncatedTail) {
    test::TempDir dir;
    const auto path = dir.path() / "club.qad";
    Record tail = annRecord(5);
    std::vector<uint8_t> file =
        concat({annRecord(1).bytes, annRecord(0).bytes, annRecord(32768).bytes, annRecord(-4).bytes,
                annRecord(32767).bytes, tail.bytes});
    file.resize(file.size() - 10);
    ASSERT_TRUE(writeFileAtomic(path, file));

    DriversDatabase db;
    ASSERT_TRUE(loadDriversDatabase(db, path));
    ASSERT_EQ(db.records.size(), 2u);
    EXPECT_EQ(db.records[0].id, 1);
    EXPECT_EQ(db.records[1].id, 32767);
    EXPECT_EQ(db.path, path);
    EXPECT_EQ(db.nextFreeId(), 2);

    DriversDatabase other;
    const Outcome missing = loadDriversDatabase(other, dir.path() / "none.qad");
    EXPECT_EQ(missing.message, MissingDatabaseMessage);
    EXPECT_FALSE(other.hasFile());
}

TEST(DriversDatabaseFile, WritingAndClosing) {
    test::TempDir dir;
    const auto path = dir.path() / "club.qad";
    ASSERT_TRUE(writeFileAtomic(path, std::string("old")));

    // A database that never held a record leaves its file alone.
    DriversDatabase db;
    newDriversDatabase(db, path);
    ASSERT_TRUE(closeDriversDatabase(db));
    EXPECT_EQ(*readWholeFile(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_FALSE(db.hasFile());

    // Deleted records are not written; deleting all writes an empty file.
    newDriversDatabase(db, path);
    driver_ent a = ann();
    ASSERT_TRUE(saveDatabaseRecord(db, a, std::nullopt).outcome);
    ASSERT_TRUE(saveDatabaseRecord(db, a, std::nullopt).outcome);
    deleteDatabaseRecord(db, 0);
    ASSERT_TRUE(writeDriversDatabase(db));
    EXPECT_EQ(*readWholeFile(path), annRecord(2).bytes);
    deleteDatabaseRecord(db, 1);
    ASSERT_TRUE(closeDriversDatabase(db));
    EXPECT_TRUE(readWholeFile(path)->empty());
    EXPECT_TRUE(db.records.empty());
}

TEST(DriversDatabaseEditor, SaveAssignsTheSmallestFreeIdAndNeedsAName) {
    DriversDatabase db;
    newDriversDatabase(db, "x.qad");
    driver_ent d = ann();
    d.reserved = {1, 2, 3, 4};
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(saveDatabaseRecord(db, d, std::nullopt).outcome);
    EXPECT_EQ(db.records[2].id, 3);
    EXPECT_EQ(db.records[2].reserved, (std::array<uint8_t, 4>{}));
    deleteDatabaseRecord(db, 1);
    const SavedRecord again = saveDatabaseRecord(db, d, std::nullopt);
    EXPECT_EQ(again.index, 3u);
    EXPECT_EQ(db.records[3].id, 2);

    d.name = "Edited";
    const SavedRecord edited = saveDatabaseRecord(db, d, size_t{0});
    EXPECT_EQ(edited.index, 0u);
    EXPECT_EQ(db.records[0].id, 1);
    EXPECT_EQ(db.records[0].name, "Edited");

    d.name.clear();
    EXPECT_EQ(saveDatabaseRecord(db, d, std::nullopt).outcome.message, DriverNeedsNameMessage);
    EXPECT_EQ(db.records.size(), 4u);

    d.name = "Maximilian Alexander Featherstonehaugh";
    EXPECT_EQ(deleteDriverQuestion(d), " Are you sure you want to delete Maximilian Alexander Fea");
    EXPECT_EQ(deleteDriverQuestion(d).size(), 57u);
}

TEST(DriversDatabaseEditor, NewRecordsAndNumberBoxes) {
    EXPECT_TRUE(newDatabaseRecord(false).noFreqNeeded());
    EXPECT_FALSE(newDatabaseRecord(true).noFreqNeeded());
    EXPECT_EQ(newDatabaseRecord(true).id, 0);
    EXPECT_TRUE(newDatabaseRecord(true).name.empty());
    struct Case {
        const char* typed;
        int16_t ability;
        int32_t transponder;
    };
    const Case cases[] = {
        {"", 0, 0},          {"55", 55, 55}, {" 7 ", 7, 7},          {"999", 999, 999},
        {"40000", 0, 40000}, {"12x", 0, 0},  {"9999999", 0, 9999999}};
    for (const Case& c : cases) {
        EXPECT_EQ(typedAbility(c.typed), c.ability) << c.typed;
        EXPECT_EQ(typedTransponder(c.typed), c.transponder) << c.typed;
    }
}

TEST(DatabaseList, OrdersColumnsAndInitialLetters) {
    DriversDatabase db;
    ProgSettings s;
    FreqNames f;
    s.classes[3].name = "Buggy";
    f.names[18] = "40.665";
    const struct {
        const char* name;
        int ability;
    } people[] = {{"john smith", 30}, {"Ann Lee", 55}, {"Bob Adams", 55}, {"Zed", 70}, {"x", 1}};
    for (const auto& p : people) {
        driver_ent d = ann();
        d.name = p.name;
        d.ability = static_cast<int16_t>(p.ability);
        saveDatabaseRecord(db, d, std::nullopt);
    }
    deleteDatabaseRecord(db, 4);
    db.records[3].setNoFreqNeeded(true);
    db.records[3].transponder = 0;

    auto names = [](const std::vector<DatabaseListRow>& rows) {
        std::vector<std::string> out;
        for (const auto& r : rows) out.push_back(r.name);
        return out;
    };
    using Names = std::vector<std::string>;
    const auto stored = databaseList(db, DatabaseOrder::IdNumber, s, f);
    EXPECT_EQ(names(stored), (Names{"john smith", "Ann Lee", "Bob Adams", "Zed"}));
    EXPECT_EQ(names(databaseList(db, DatabaseOrder::FirstName, s, f)),
              (Names{"Ann Lee", "Bob Adams", "john smith", "Zed"}));
    const auto second = databaseList(db, DatabaseOrder::SecondName, s, f);
    EXPECT_EQ(names(second), (Names{"Bob Adams", "Ann Lee", "john smith", "Zed"}));
    EXPECT_EQ(second[2].key, "SMITH JOHN");
    EXPECT_EQ(names(databaseList(db, DatabaseOrder::AbilityLevel, s, f)),
              (Names{"Zed", "Ann Lee", "Bob Adams", "john smith"}));

    EXPECT_EQ(stored[1].classText, "3) Buggy");
    EXPECT_EQ(stored[1].ability, "55");
    EXPECT_EQ(stored[1].prefFreq, "40.665");
    EXPECT_EQ(stored[1].transponder, "1234567");
    EXPECT_EQ(stored[3].prefFreq, "Not Req/2.4Ghz");
    EXPECT_EQ(stored[3].transponder, "");

    EXPECT_EQ(rowForInitial(second, 's'), 2);
    EXPECT_EQ(rowForInitial(second, 'L'), 1);
    EXPECT_EQ(rowForInitial(stored, 'j'), 0);
    EXPECT_EQ(rowForInitial(stored, 'Q'), -1);
}

TEST(DatabaseCsvExport, HeaderAndOneLinePerListedRecord) {
    DriversDatabase db;
    ProgSettings s;
    s.classes[3].name = "Buggy";
    saveDatabaseRecord(db, ann(), std::nullopt);
    driver_ent b;
    b.name = "Bob";
    b.transponder = -1;
    saveDatabaseRecord(db, b, std::nullopt);
    const auto rows = databaseList(db, DatabaseOrder::FirstName, s, FreqNames{});
    EXPECT_EQ(databaseCsvText(db, rows, s),
              "Id,Name,Class,Ability,Membership,AMB dp,AddressL1,AddressL2,AddressL3,Postcode,"
              "Tel,Email\r\n"
              "1,Ann Lee,3) Buggy,55,A123456789,1234567,1 High Street,Lowtown,Shire,AB1 2CD,"
              "0123 456,ann@example.org\r\n"
              "2,Bob,0) ,0,,,,,,,,\r\n");
}

TEST(DatabaseTransfer, IntoTheFirstFreeEntryAskingAboutTwins) {
    EventData e;
    test::driver(e, 1, "Ann Lee", 3);
    e.cpts[2].finalfreq = 44;
    int asked = 0;
    auto answer = [&](bool yes) {
        return [&asked, yes](const std::string& q) {
            EXPECT_EQ(q, SameDriverInEventQuestion);
            ++asked;
            return yes;
        };
    };
    EXPECT_EQ(transferToEvent(ann(), e, answer(false)), 0);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(e.cpts[2].inUse());

    driver_ent d = ann();
    d.setNoFreqNeeded(true);
    ASSERT_EQ(transferToEvent(d, e, answer(true)), 2);
    EXPECT_EQ(asked, 2);
    const comp_ent& c = e.cpts[2];
    EXPECT_EQ(c.name, "Ann Lee");
    EXPECT_EQ(c.ability, 55);
    EXPECT_EQ(c.memno, "A12345");
    EXPECT_EQ(c.classno, 3);
    EXPECT_EQ(c.enabled, 'Y');
    EXPECT_EQ(c.heatfreq, 18);
    EXPECT_EQ(c.finalfreq, 44);
    EXPECT_EQ(c.ownedFreqs(), (std::vector<int>{1, 18}));
    EXPECT_TRUE(c.noFreqNeeded());
    EXPECT_EQ(c.transponder, 1234567);
    EXPECT_EQ(c.picture, "ann.jpg");

    // Another class is no twin; values the entry cannot hold are made safe.
    d.classno = 40;
    d.ability = 300;
    d.preffreq = 250;
    d.setNoFreqNeeded(false);
    ASSERT_EQ(transferToEvent(d, e, nullptr), 3);
    EXPECT_EQ(e.cpts[3].classno, 0);
    EXPECT_EQ(e.cpts[3].ability, 100);
    EXPECT_EQ(e.cpts[3].heatfreq, 0);
    EXPECT_FALSE(e.cpts[3].noFreqNeeded());
    EXPECT_EQ(asked, 2);

    for (int id = 1; id <= 300; ++id) e.cpts[id].name = test::numbered("X", id);
    EXPECT_EQ(transferToEvent(ann(), e, answer(true)), 0); // no free entry: nothing happens
    EXPECT_EQ(asked, 2);
}

TEST(DatabaseTransfer, CopyCompetitorsIntoTheDatabase) {
    EventData e;
    comp_ent& a = test::driver(e, 4, "Ann Lee", 3);
    a.ability = 60;
    a.memno = "M77";
    a.heatfreq = 9;
    a.setOwnedFreqs({9, 10});
    a.setNoFreqNeeded(true);
    a.transponder = 42;
    a.picture = "a.jpg";
    test::driver(e, 2, "Bob", 1);

    DriversDatabase db;
    EXPECT_EQ(copyToDatabase(a, db).message, NoDatabaseOpenMessage);
    newDriversDatabase(db, "club.qad");
    ASSERT_TRUE(copyAllToDatabase(e, db));
    ASSERT_EQ(db.records.size(), 2u);
    EXPECT_EQ(db.records[0].name, "Bob");
    const driver_ent& d = db.records[1];
    EXPECT_EQ(d.id, 2);
    EXPECT_EQ(d.ability, 60);
    EXPECT_EQ(d.memno, "M77");
    EXPECT_EQ(d.classno, 3);
    EXPECT_EQ(d.preffreq, 9);
    EXPECT_EQ(d.ownedFreqs(), (std::vector<int>{9, 10}));
    EXPECT_TRUE(d.noFreqNeeded());
    EXPECT_EQ(d.transponder, 42);
    EXPECT_EQ(d.picture, "a.jpg");
    EXPECT_EQ(d.address1, "");
}

} // namespace
