#include "output/pending_upload.h"

#include "files/file_io.h"
#include "output/upload_file.h"
#include "program/program.h"

#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

std::string currentRaceKey(const ProgSettings& settings) {
    return std::string(settings.racingHeats ? "heats " : "finals ") +
           std::to_string(settings.raceNumber) + " " + std::to_string(settings.roundNumber);
}

Outcome stageUploadRun(const Program& program, const std::string& runText) {
    const std::optional<fs::path> dir = uploadDirectory(program);
    if (!dir) return Outcome::success();
    return writeFileAtomic(*dir / PendingUploadFileName,
                           currentRaceKey(program.settings) + "\r\n" + runText);
}

Outcome commitUploadRun(const ReportContext& context, const std::string& runText,
                        double trackMiles) {
    const Outcome appended = appendUploadRun(context, runText, trackMiles);
    if (appended) {
        // A pending file that stays behind is finished again at the next start: the
        // collecting file already ends with its run.
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
    const fs::path pending = *dir / PendingUploadFileName;
    const auto bytes = readWholeFile(pending);
    if (!bytes) return Outcome::success();
    const std::string text(bytes->begin(), bytes->end());
    const size_t lineEnd = text.find("\r\n");
    const std::string key = lineEnd == std::string::npos ? std::string() : text.substr(0, lineEnd);
    const std::string runText =
        lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 2);

    Outcome done;
    if (!key.empty() && key != currentRaceKey(program.settings) && !runText.empty()) {
        const auto collected = readWholeFile(*dir / UploadCollectFileName);
        const std::string have =
            collected ? std::string(collected->begin(), collected->end()) : std::string();
        if (!have.ends_with(runText))
            done = appendUploadRun(context, runText, program.settings.trackLengthMiles());
    }
    if (done) {
        std::error_code ignored;
        fs::remove(pending, ignored);
    }
    return done;
}

} // namespace vexa
