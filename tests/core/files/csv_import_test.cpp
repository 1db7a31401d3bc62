#include "files/csv_import.h"
#include "support/event_builder.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(CsvImport, FieldsOfALine) {
    EventData e;
    e.cpts[1].picture = "kept.jpg"; // other fields of the entry keep their values
    e.cpts[1].enabled = 'N';
    const auto r = importCsvText(bytes("Ann Lee,3,55,A123456,1234567,0A\r\n"), e);
    ASSERT_TRUE(r.outcome);
    EXPECT_EQ(r.message, "1 drivers have been added to the event.");
    const comp_ent& c = e.cpts[1];
    EXPECT_EQ(c.name, "Ann Lee");
    EXPECT_EQ(c.classno, 3);
    EXPECT_EQ(c.ability, 55);
    EXPECT_EQ(c.memno, "A12345");
    EXPECT_EQ(c.transponder, 1234567);
    EXPECT_EQ(c.ownedFreqs(), (std::vector<int>{1, 18}));
    EXPECT_EQ(c.enabled, 'Y');
    EXPECT_EQ(c.picture, "kept.jpg");
}

TEST(CsvImport, NumbersOutsideTheirRangesAndOddFields) {
    const struct {
        const char* line;
        int classno, ability, transponder;
        std::vector<int> freqs;
    } cases[] = {
        {"A,31,101,M,10000000,", 0, 0, 0, {}},
        {"A,30,100,M,9999999,", 30, 100, 9999999, {}},
        {"A, 7 ,5.5,M,12ab,", 7, 0, 0, {}},
        {"A,-2,-1,M,-5,", 0, 0, 0, {}},
        {"A,99999999999999999999,2,M,3", 0, 2, 3, {}},
        {"A,,,,", 0, 0, 0, {}},
        {"A", 0, 0, 0, {}},
        {"A,1,2,M,4,A0,,0 /\x01\xF7\xF8", 1, 2, 4, {1, 18, 200}}, // commas in the sixth field
        {"A,1,2,M,4,10", 1, 2, 4, {1, 2}},                        // ascending, no repeats
    };
    for (const auto& c : cases) {
        EventData e;
        ASSERT_EQ(importCsvText(bytes(c.line), e).ids, std::vector<int>{1}) << c.line;
        EXPECT_EQ(e.cpts[1].classno, c.classno) << c.line;
        EXPECT_EQ(e.cpts[1].ability, c.ability) << c.line;
        EXPECT_EQ(e.cpts[1].transponder, c.transponder) << c.line;
        EXPECT_EQ(e.cpts[1].ownedFreqs(), c.freqs) << c.line;
    }
}

TEST(CsvImport, LinesSkippedAndTheCountOfDriversAdded) {
    EventData e;
    test::driver(e, 2, "Taken");
    const std::string text = "Name,Class\n" // a header is imported as a driver
                             "\n"           // empty line
                             ",3,4\r"       // no name
                             "Bob\r\n"
                             "Cy,1"; // no line end
    const auto r = importCsvText(bytes(text), e);
    EXPECT_EQ(r.ids, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(e.cpts[1].name, "Name");
    EXPECT_EQ(e.cpts[3].name, "Bob");
    EXPECT_EQ(e.cpts[4].name, "Cy");
    EXPECT_EQ(r.message, "3 drivers have been added to the event.");
}

TEST(CsvImport, OnlyThreeHundredLinesAndOnlyFreeEntries) {
    std::string text;
    for (int i = 1; i <= 310; ++i) text += test::numbered("Driver ", i) + "\n";
    EventData e;
    const auto r = importCsvText(bytes(text), e);
    EXPECT_EQ(r.ids.size(), 300u);
    EXPECT_EQ(e.cpts[300].name, "Driver 300");

    EventData full;
    for (int id = 1; id <= 299; ++id) full.cpts[id].name = std::string(1, 'X');
    const auto f = importCsvText(bytes(text), full);
    EXPECT_EQ(f.ids, std::vector<int>{300});
    EXPECT_EQ(f.message, "1 drivers have been added to the event.");
    EXPECT_EQ(importCsvText(bytes(text), full).message, "0 drivers have been added to the event.");
}

TEST(CsvImport, LongLinesAndFilesThatAreNotText) {
    EventData e;
    const std::string longName(5000, 'n');
    const auto r = importCsvText(bytes(longName + "," + std::string(100, '7') + ",1," +
                                       std::string(900, 'm') + ",1," + std::string(90000, 'x')),
                                 e);
    ASSERT_EQ(r.ids.size(), 1u);
    EXPECT_EQ(e.cpts[1].name, std::string(25, 'n'));
    EXPECT_EQ(e.cpts[1].classno, 0);
    EXPECT_EQ(e.cpts[1].memno, "mmmmmm");
    EXPECT_EQ(e.cpts[1].ownedFreqs(), std::vector<int>{'x' - 47});

    EventData b;
    std::vector<uint8_t> binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<uint8_t>(i * 37));
    const auto nb = importCsvText(binary, b);
    EXPECT_EQ(nb.outcome.message, CsvNotTextMessage);
    EXPECT_TRUE(nb.ids.empty());
    EXPECT_EQ(b.firstFreeId(), 1);
}

} // namespace
