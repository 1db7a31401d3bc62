#pragma once

#include "journal/journal_records.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <vector>

namespace vexa {

// The race journals of an event folder. A meeting leaves one journal a race (hundreds over two
// days); a start needs only its latest sitting, so the others are known by their first record
// alone and never read in full.

struct JournalFile {
    std::filesystem::path path;
    Journal journal;
};

// A journal known by its first record.
struct JournalHead {
    std::filesystem::path path;
    JournalHeader header;
};

// The first record of every journal of the folder that has a readable one (only the first line
// of each file is read).
std::vector<JournalHead> readJournalHeads(const std::filesystem::path& eventDir);

// The journals of one sitting among them read in full, in the order of their races: those whose
// ordinal is from `firstOrdinal` up to before `beforeOrdinal`.
std::vector<JournalFile> readSittingJournals(const std::vector<JournalHead>& heads, int64_t sitting,
                                             int firstOrdinal = 1,
                                             int beforeOrdinal = std::numeric_limits<int>::max());

// The number of the latest sitting among them; 0 when there is none.
int64_t latestSittingNumber(const std::vector<JournalHead>& heads);

// The journals of the folder's latest sitting, read in full, in the order of their races: what a
// resume of that sitting needs.
std::vector<JournalFile> readLatestSitting(const std::filesystem::path& eventDir);

// What a start needs: the latest sitting's number and the journal of its last race, read in
// full (nothing when the folder holds no journal).
struct LatestJournal {
    int64_t sitting = 0;
    std::optional<JournalFile> last;
};
LatestJournal readLatestJournal(const std::filesystem::path& eventDir);

// Every journal of an event folder that has a readable first record, read in full.
std::vector<JournalFile> readEventJournals(const std::filesystem::path& eventDir);

} // namespace vexa
