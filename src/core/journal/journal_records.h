#pragma once

#include "ports/race_recorder.h"
#include "race/race_script.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The first record of a journal: the sitting it belongs to (one run of the program or of
// vexa-cli race), its place among that sitting's races, the clock's millisecond at which the
// countdown to its race opened, and the race the settings named then.
struct JournalHeader {
    int64_t sitting = 0;
    int ordinal = 1;
    int64_t startMs = 0;
    RecordedRace race;
};

// The race as it was set up, with its entrants' results in the round from before it.
struct JournalSetUp {
    int64_t ms = 0;
    RecordedRace race;
    std::vector<RecordedEntrant> entrants;
};

// A race journal as read back. Records are read up to the first one that is cut short or
// damaged; what follows it is dropped (`cut`).
struct Journal {
    std::optional<JournalHeader> header;
    std::vector<ScriptEvent> inputs; // in arrival order, `ms` the clock's millisecond
    std::vector<JournalSetUp> setUps;
    std::optional<int64_t> endMs; // when the race's results were stored
    // The size of the event's upload file when the race ended, before its run went into it (0:
    // there was none).
    std::optional<uint64_t> uploadBytes;
    bool left = false;     // the operator chose to leave the race unfinished
    size_t wholeBytes = 0; // the bytes of the records read
    bool cut = false;
    // Whole records follow the one that stopped the reading: records were lost in the journal's
    // midst (a crash cuts at most its last record short).
    bool damaged = false;

    bool ended() const { return endMs.has_value(); }
    bool raceSetUp() const { return !setUps.empty(); }
    // A race set up and neither stored nor left: the program stopped during it.
    bool unfinished() const { return raceSetUp() && !ended() && !left; }
};

// Each record is one line of text that ends with a space, '*', the CRC-32 of the text before
// the space as 8 hexadecimal digits, and a line feed; so a record cut at any byte is known.
std::string journalHeaderRecord(const JournalHeader& header);
// Appends the record of an input arriving at `ms` to `out` (the hot path of a passing).
void appendJournalInput(std::string& out, int64_t ms, const ScriptEvent& input);
std::string journalSetUpRecord(const JournalSetUp& setUp);
std::string journalEndRecord(int64_t ms);
std::string journalUploadRecord(int64_t ms, uint64_t uploadBytes);
std::string journalLeftRecord(int64_t ms);

Journal readJournal(std::string_view bytes);

// The journal's inputs as a `vexa-cli race` script, times in seconds of the clock.
std::string journalAsScript(const Journal& journal);

} // namespace vexa
