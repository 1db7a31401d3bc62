#include "output/pending_upload.h"

#include "files/event_files.h"
#include "files/file_io.h"
#include "output/upload_file.h"
#include "program/program.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

namespace {

// The pending file: the race's key on the first line, then "at N" with the collecting file's size
// when it was written ahead (a file from an earlier version has no such line), then the RUN
// element. The key line ends with the digest of the results the race stores ("heats 3 1 results
// 0123456789abcdef"; none in a file of an earlier version, which takes such a line for the key of
// another race).
constexpr const char* SizeLinePrefix = "at ";
constexpr std::string_view ResultsDigestInfix = " results ";

// The FNV-1a digest of the bytes of a results file, in hexadecimal.
std::string resultsDigest(const std::vector<uint8_t>& bytes) {
    uint64_t digest = 0xcbf29ce484222325u;
    for (const uint8_t byte : bytes) {
        digest ^= byte;
        digest *= 0x100000001b3u;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(digest));
    return text;
}

// Whether the event's results file is the one whose digest the key line ends with.
bool resultsFileHolds(const Program& program, std::string_view keyLine) {
    const size_t at = keyLine.rfind(ResultsDigestInfix);
    if (at == std::string_view::npos || !program.paths) return false;
    const auto bytes = readWholeFile(program.paths->results);
    return bytes && keyLine.substr(at + ResultsDigestInfix.size()) == resultsDigest(*bytes);
}

// The race's key without the digest.
std::string_view raceKeyOf(std::string_view keyLine) {
    return keyLine.substr(0, keyLine.rfind(ResultsDigestInfix));
}

struct PendingRun {
    std::string key;
    std::optional<uintmax_t> collectedSize;
    std::string runText;
};

PendingRun readPendingRun(const std::string& text) {
    PendingRun pending;
    const size_t lineEnd = text.find("\r\n");
    if (lineEnd == std::string::npos) return pending;
    pending.key = text.substr(0, lineEnd);
    size_t runStart = lineEnd + 2;
    if (text.compare(runStart, 3, SizeLinePrefix) == 0) {
        const size_t sizeEnd = text.find("\r\n", runStart);
        if (sizeEnd == std::string::npos) return {};
        const char* first = text.data() + runStart + 3;
        const char* last = text.data() + sizeEnd;
        uintmax_t size = 0;
        const auto [end, error] = std::from_chars(first, last, size);
        if (error == std::errc() && end == last) pending.collectedSize = size;
        runStart = sizeEnd + 2;
    }
    pending.runText = text.substr(runStart);
    return pending;
}

// Whether the collecting file holds the run from `offset` to its end.
bool holdsRunAt(const fs::path& file, uintmax_t offset, const std::string& runText) {
    const auto bytes = readWholeFile(file);
    if (!bytes || bytes->size() != offset + runText.size()) return false;
    return std::equal(runText.begin(), runText.end(), bytes->begin() + static_cast<long>(offset));
}

// Appends a run a crash left pending, unless the collecting file already has it whole.
Outcome finishPendingRun(const ReportContext& context, const fs::path& collected,
                         const PendingRun& pending) {
    std::error_code ec;
    const uintmax_t size = fs::exists(collected, ec) ? fs::file_size(collected, ec) : 0;
    if (ec) return Outcome::failure("The file " + displayPath(collected) + " could not be read");
    const double trackMiles = context.program.settings.trackLengthMiles();
    if (pending.collectedSize && *pending.collectedSize > 0 && size >= *pending.collectedSize) {
        if (holdsRunAt(collected, *pending.collectedSize, pending.runText))
            return Outcome::success();
        // A crash in the middle of the append: the part written is cut off and written whole.
        fs::resize_file(collected, *pending.collectedSize, ec);
        if (ec)
            return Outcome::failure("The file " + displayPath(collected) + " could not be written");
        return appendUploadRun(context, pending.runText, trackMiles);
    }
    // The file was new (it is written whole) or its size is not known.
    const auto bytes = readWholeFile(collected);
    const std::string have = bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    if (have.ends_with(pending.runText)) return Outcome::success();
    return appendUploadRun(context, pending.runText, trackMiles);
}

} // namespace

std::string currentRaceKey(const ProgSettings& settings) {
    return std::string(settings.racingHeats ? "heats " : "finals ") +
           std::to_string(settings.raceNumber) + " " + std::to_string(settings.roundNumber);
}

Outcome stageUploadRun(const Program& program, const std::string& runText) {
    const std::optional<fs::path> dir = uploadDirectory(program);
    if (!dir) return Outcome::success();
    std::string text = currentRaceKey(program.settings) + std::string(ResultsDigestInfix) +
                       resultsDigest(resultsBytes(program.event)) + "\r\n";
    std::error_code ec;
    const uintmax_t size = fs::file_size(*dir / UploadCollectFileName, ec);
    if (!ec) text += SizeLinePrefix + std::to_string(size) + "\r\n";
    return writeFileAtomic(*dir / PendingUploadFileName, text + runText);
}

Outcome commitUploadRun(const ReportContext& context, const std::string& runText,
                        double trackMiles) {
    const Outcome appended = appendUploadRun(context, runText, trackMiles);
    if (appended) {
        // A pending file that stays behind is finished again at the next start: the
        // collecting file already holds its run.
        if (const std::optional<fs::path> dir = uploadDirectory(context.program)) {
            std::error_code ignored;
            fs::remove(*dir / PendingUploadFileName, ignored);
        }
    }
    return appended;
}

Outcome completePendingUploadRun(const ReportContext& context) {
    const Program& program = context.program;
    const std::optional<fs::path> dir = uploadDirectory(program);
    if (!dir) return Outcome::success();
    const fs::path pendingFile = *dir / PendingUploadFileName;
    const auto bytes = readWholeFile(pendingFile);
    if (!bytes) return Outcome::success();
    const PendingRun pending = readPendingRun(std::string(bytes->begin(), bytes->end()));

    Outcome done;
    if (raceKeyOf(pending.key) == currentRaceKey(program.settings)) {
        // Its race stored while the settings still name it: it waits for the race run again or
        // for the settings to move on.
        if (resultsFileHolds(program, pending.key)) return Outcome::success();
    } else if (!pending.key.empty() && !pending.runText.empty()) {
        done = finishPendingRun(context, *dir / UploadCollectFileName, pending);
    }
    if (done) {
        std::error_code ignored;
        fs::remove(pendingFile, ignored);
    }
    return done;
}

} // namespace vexa
