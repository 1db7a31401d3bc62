#include "output/pending_sheets.h"

#include "files/file_io.h"

#include <charconv>
#include <string_view>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

namespace {

// Each sheet: a line "sheet COPIES BYTES", then the job's text of BYTES bytes.
constexpr std::string_view SheetPrefix = "sheet ";

bool readNumber(std::string_view& text, size_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) return false;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return true;
}

} // namespace

Outcome keepPendingSheets(const fs::path& eventDir, const std::vector<PendingSheet>& sheets) {
    const fs::path file = eventDir / PendingSheetsFileName;
    if (sheets.empty()) {
        std::error_code ec;
        fs::remove(file, ec);
        if (ec) return Outcome::failure("The file " + displayPath(file) + " could not be removed");
        return Outcome::success();
    }
    std::string text;
    for (const PendingSheet& sheet : sheets) {
        const std::string job = sheet.job.text();
        text += std::string(SheetPrefix) + std::to_string(sheet.copies) + " " +
                std::to_string(job.size()) + "\n" + job;
    }
    return writeFileAtomic(file, text);
}

std::vector<PendingSheet> readPendingSheets(const fs::path& eventDir) {
    std::vector<PendingSheet> sheets;
    const auto bytes = readWholeFile(eventDir / PendingSheetsFileName);
    if (!bytes) return sheets;
    const std::string all(bytes->begin(), bytes->end());
    std::string_view text = all;
    while (text.starts_with(SheetPrefix)) {
        text.remove_prefix(SheetPrefix.size());
        size_t copies = 0;
        size_t size = 0;
        if (!readNumber(text, copies) || !text.starts_with(' ')) break;
        text.remove_prefix(1);
        if (!readNumber(text, size) || !text.starts_with('\n')) break;
        text.remove_prefix(1);
        if (size > text.size() || copies < 1 || copies > 99) break;
        std::optional<RecordedPrintJob> job = RecordedPrintJob::fromText(text.substr(0, size));
        if (!job) break;
        sheets.push_back({std::move(*job), static_cast<int>(copies)});
        text.remove_prefix(size);
    }
    return sheets;
}

} // namespace vexa
