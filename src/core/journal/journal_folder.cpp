#include "journal/journal_folder.h"

#include "files/file_io.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

namespace {

// Room for a first record: the words of a header, each number at most 20 digits, and the seal.
constexpr size_t FirstRecordRoom = 256;

bool isJournal(const fs::directory_entry& entry) {
    return entry.path().extension() == ".journal";
}

std::optional<JournalHeader> readFirstRecord(const fs::path& path) {
    std::ifstream in;
    in.rdbuf()->pubsetbuf(nullptr, 0); // unbuffered: the first record's room is all that is read
    in.open(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::array<char, FirstRecordRoom> buffer{};
    in.read(buffer.data(), buffer.size());
    const std::string_view start(buffer.data(), static_cast<size_t>(in.gcount()));
    const size_t lineEnd = start.find('\n');
    if (lineEnd == std::string_view::npos) return std::nullopt;
    return readJournal(start.substr(0, lineEnd + 1)).header;
}

std::optional<Journal> readWholeJournal(const fs::path& path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) return std::nullopt;
    Journal journal =
        readJournal(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!journal.header) return std::nullopt;
    return journal;
}

void sortByOrdinal(std::vector<JournalFile>& journals) {
    std::sort(journals.begin(), journals.end(), [](const JournalFile& a, const JournalFile& b) {
        return a.journal.header->ordinal < b.journal.header->ordinal;
    });
}

} // namespace

std::vector<JournalHead> readJournalHeads(const fs::path& eventDir) {
    std::vector<JournalHead> heads;
    std::error_code ec;
    for (fs::directory_iterator it(eventDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!isJournal(*it)) continue;
        if (const auto header = readFirstRecord(it->path())) heads.push_back({it->path(), *header});
    }
    return heads;
}

std::vector<JournalFile> readSittingJournals(const std::vector<JournalHead>& heads, int64_t sitting,
                                             int firstOrdinal, int beforeOrdinal) {
    std::vector<JournalFile> out;
    for (const JournalHead& head : heads) {
        if (head.header.sitting != sitting) continue;
        if (head.header.ordinal < firstOrdinal || head.header.ordinal >= beforeOrdinal) continue;
        if (auto journal = readWholeJournal(head.path))
            out.push_back({head.path, std::move(*journal)});
    }
    sortByOrdinal(out);
    return out;
}

int64_t latestSittingNumber(const std::vector<JournalHead>& heads) {
    int64_t latest = 0;
    for (const JournalHead& head : heads) latest = std::max(latest, head.header.sitting);
    return latest;
}

std::vector<JournalFile> readLatestSitting(const fs::path& eventDir) {
    const std::vector<JournalHead> heads = readJournalHeads(eventDir);
    if (heads.empty()) return {};
    return readSittingJournals(heads, latestSittingNumber(heads));
}

LatestJournal readLatestJournal(const fs::path& eventDir) {
    const std::vector<JournalHead> heads = readJournalHeads(eventDir);
    LatestJournal latest;
    if (heads.empty()) return latest;
    latest.sitting = latestSittingNumber(heads);
    const JournalHead* last = nullptr;
    for (const JournalHead& head : heads)
        if (head.header.sitting == latest.sitting &&
            (!last || head.header.ordinal > last->header.ordinal))
            last = &head;
    if (auto journal = readWholeJournal(last->path))
        latest.last = JournalFile{last->path, std::move(*journal)};
    return latest;
}

std::vector<JournalFile> readEventJournals(const fs::path& eventDir) {
    std::vector<JournalFile> out;
    std::error_code ec;
    for (fs::directory_iterator it(eventDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!isJournal(*it)) continue;
        if (auto journal = readWholeJournal(it->path()))
            out.push_back({it->path(), std::move(*journal)});
    }
    return out;
}

} // namespace vexa
