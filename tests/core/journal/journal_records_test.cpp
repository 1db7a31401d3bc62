#include "journal/journal_records.h"
#include "journal/journal_resume.h"
#include "race/hex_text.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

ScriptEvent input(int64_t ms, ScriptEvent::Kind kind, std::string data, std::string action = {},
                  int argument = 0, int32_t decoderId = 0) {
    ScriptEvent e;
    e.decoderId = decoderId;
    e.ms = ms;
    e.kind = kind;
    e.data = std::move(data);
    e.action = std::move(action);
    e.argument = argument;
    return e;
}

// A journal of every kind of record: header, inputs, set-up, end.
struct Sample {
    JournalHeader header{1765400000123, 2, 388500, {1, true, 2}};
    std::vector<ScriptEvent> inputs = {
        input(389000, ScriptEvent::Kind::Action, "", "pause"),
        input(390250, ScriptEvent::Kind::Decoder, std::string("\x01@\t1\t7\r\n\0\xFF", 10)),
        input(391000, ScriptEvent::Kind::Key, "7q"),
        input(452000, ScriptEvent::Kind::Action, "", "penalty", 3),
        input(452500, ScriptEvent::Kind::Action, "", "equipment", 2, 2437),
    };
    JournalSetUp setUp{419500, {1, true, 2}, {{1, 3, -1, -1.0}, {2, 4, 11, 324.5}, {3, 0, -1, -1}}};
    std::string bytes;

    Sample() {
        bytes = journalHeaderRecord(header);
        appendJournalInput(bytes, inputs[0].ms, inputs[0]);
        bytes += journalSetUpRecord(setUp);
        for (size_t i = 1; i < inputs.size(); ++i)
            appendJournalInput(bytes, inputs[i].ms, inputs[i]);
        bytes += journalEndRecord(760000);
    }
};

void expectSameInputs(const std::vector<ScriptEvent>& a, const std::vector<ScriptEvent>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].ms, b[i].ms) << i;
        EXPECT_EQ(a[i].kind, b[i].kind) << i;
        EXPECT_EQ(a[i].data, b[i].data) << i;
        EXPECT_EQ(a[i].action, b[i].action) << i;
        EXPECT_EQ(a[i].argument, b[i].argument) << i;
        EXPECT_EQ(a[i].decoderId, b[i].decoderId) << i;
    }
}

} // namespace

TEST(JournalRecords, ReadBackAsWritten) {
    const Sample s;
    const Journal j = readJournal(s.bytes);
    ASSERT_TRUE(j.header.has_value());
    EXPECT_EQ(j.header->sitting, 1765400000123);
    EXPECT_EQ(j.header->ordinal, 2);
    EXPECT_EQ(j.header->startMs, 388500);
    EXPECT_EQ(j.header->race.race, 2);
    expectSameInputs(j.inputs, s.inputs);
    ASSERT_EQ(j.setUps.size(), 1u);
    ASSERT_EQ(j.setUps[0].entrants.size(), 3u);
    EXPECT_EQ(j.setUps[0].ms, 419500);
    EXPECT_EQ(j.setUps[0].entrants[1].id, 4);
    EXPECT_EQ(j.setUps[0].entrants[1].laps, 11);
    EXPECT_EQ(j.setUps[0].entrants[1].time, 324.5);
    EXPECT_EQ(j.setUps[0].entrants[2].time, -1.0);
    EXPECT_EQ(j.endMs, 760000);
    EXPECT_FALSE(j.cut);
    EXPECT_EQ(j.wholeBytes, s.bytes.size());
    // Readable by a person: one line per record.
    EXPECT_EQ(s.bytes.substr(0, 13), "vexa-journal ");
    EXPECT_NE(s.bytes.find("\n390250 decoder 01 40 09 31 09 37 0D 0A 00 FF *"), std::string::npos);
}

TEST(JournalRecords, ACutOrDamagedRecordEndsTheJournalBeforeIt) {
    const Sample s;
    std::vector<size_t> ends; // where each record ends
    for (size_t at = s.bytes.find('\n'); at != std::string::npos; at = s.bytes.find('\n', at + 1))
        ends.push_back(at + 1);
    for (size_t cut = 0; cut <= s.bytes.size(); ++cut) {
        const Journal j = readJournal(std::string_view(s.bytes).substr(0, cut));
        const size_t whole =
            static_cast<size_t>(std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin());
        EXPECT_EQ(j.wholeBytes, whole == 0 ? 0 : ends[whole - 1]) << cut;
        EXPECT_EQ(j.cut, cut != j.wholeBytes) << cut;
        EXPECT_EQ(j.header.has_value(), whole >= 1) << cut;
        const size_t inputs = whole <= 1 ? 0 : whole == 2 ? 1 : std::min<size_t>(whole - 2, 5);
        EXPECT_EQ(j.inputs.size(), inputs) << cut;
        EXPECT_EQ(j.ended(), whole == ends.size()) << cut;
    }
    // A byte changed inside the third record: the records before it stand.
    for (size_t at = ends[1]; at + 1 < ends[2]; ++at) {
        std::string damaged = s.bytes;
        damaged[at] = damaged[at] == '1' ? '2' : '1';
        const Journal j = readJournal(damaged);
        EXPECT_EQ(j.wholeBytes, ends[1]) << at;
        EXPECT_TRUE(j.setUps.empty()) << at;
        EXPECT_TRUE(j.cut);
    }
}

TEST(JournalRecords, RecordsThatAreNotAJournalAreRefused) {
    const Sample s;
    const std::string header = journalHeaderRecord(s.header);
    const std::string notFirst = journalEndRecord(5); // an end before any header
    const char* const lines[] = {"", "garbage\n", "vexa-journal 1 1 1 0 1 h 1\n"};
    for (const char* line : lines) EXPECT_FALSE(readJournal(line).header) << line;
    EXPECT_FALSE(readJournal(notFirst + header).header);
    // A seal that does not match its text.
    std::string resealed = header;
    resealed[13] = '2';
    EXPECT_FALSE(readJournal(resealed).header);
}

TEST(JournalRecords, WrittenOutAsARaceScriptTheInputsReadBackTheSame) {
    const Sample s;
    const Journal j = readJournal(s.bytes);
    const std::string script = journalAsScript(j);
    EXPECT_NE(script.find("390.250 decoder 01 40 09"), std::string::npos) << script;
    EXPECT_NE(script.find("452.000 penalty 3"), std::string::npos) << script;
    EXPECT_NE(script.find("452.500 equipment 2 2437"), std::string::npos) << script;
    const ParsedScript parsed = parseRaceScript(script);
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    expectSameInputs(parsed.script.events, s.inputs);
}

TEST(JournalResume, TheGapIsCountedFromTheLastKeptRecord) {
    Journal j;
    j.header = JournalHeader{};
    j.header->startMs = 1000;
    j.setUps.push_back({31000, {}, {}});
    EXPECT_EQ(resumeGapNotice(j, 31999), ""); // under a second: nothing to tell
    EXPECT_EQ(resumeGapNotice(j, 73500).substr(0, 45),
              "The race resumed 42 s after the last input it");
    ScriptEvent passing;
    passing.ms = 70000;
    j.inputs.push_back(passing);
    EXPECT_EQ(resumeGapNotice(j, 73500).substr(0, 21), "The race resumed 3 s ");
}

// Decoder bytes as the journals and scripts give them: pairs between blanks, nothing else.
TEST(JournalRecords, HexadecimalPairsReadBackOnlyWhenEveryWordIsOnePair) {
    struct Case {
        const char* text;
        std::optional<std::string> bytes;
    };
    for (const Case& c : {Case{"01 40 0D", std::string("\x01\x40\x0D")},
                          Case{"  ff\t0a\r\n", std::string("\xFF\x0A")}, Case{"", std::string()},
                          Case{"   ", std::string()}, Case{"0", std::nullopt},
                          Case{"01 4", std::nullopt}, Case{"014", std::nullopt},
                          Case{"01 40x", std::nullopt}, Case{"0G", std::nullopt},
                          Case{"01,40", std::nullopt}})
        EXPECT_EQ(parseHexPairs(c.text), c.bytes) << c.text;
    const std::string all = [] {
        std::string bytes;
        for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
        return bytes;
    }();
    EXPECT_EQ(parseHexPairs(hexPairs(all)), all);
}
