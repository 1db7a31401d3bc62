#pragma once

#include "model/outcome.h"
#include "output/race_figures.h"
#include "output/report_context.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vexa {

// The date of a moment as 2026-12-08, with time as 2026-12-08 14:05.
std::string FormatXmlDate(const LocalMoment& now, bool withTime);

// A race time as [hh:]mm:ss.sss (65.123 gives 01:05.123, 3725.5 gives 01:02:05.500); "0" for a
// time of 0 or less and for a time beyond what the program shows (LongestTimeShown).
std::string FormatXmlTime(double t);

// The collecting file in the event directory, the complete upload document and the uploader in
// the program home.
inline constexpr const char* UploadCollectFileName = "mlri.dat";
inline constexpr const char* UploadDocumentFileName = "mld.xml";
inline constexpr const char* UploaderFileName = "mlu.exe";
inline constexpr const char* UploadClosingLine = "</EVENT> </UPLOAD>";

// The head of the collecting file: UPLOAD, the EVENT start tag and an empty line.
std::string uploadHeaderText(const ReportContext& context, double trackMiles);
// One RUN element with a RESULT line per finishing position.
std::string uploadRunText(const ReportContext& context, const FinishedRace& race);

// The event directory the upload files go into, or nothing when no event directory exists.
std::optional<std::filesystem::path> uploadDirectory(const Program& program);

// Appends the race to the collecting file, creating the file with its head first when it does
// not exist. Nothing happens when no event directory exists.
Outcome UploadRun(const ReportContext& context, const FinishedRace& race);
// The same for a RUN element's text: appended at the end of the file, or a new file written
// whole with its head.
Outcome appendUploadRun(const ReportContext& context, const std::string& runText,
                        double trackMiles);

// The upload command: the collecting file is copied to the program home's upload document and
// completed with the closing line (no collecting file, no document). `uploader` names the
// external uploader to start when it exists in the program home.
struct UploadCommandResult {
    Outcome outcome;
    std::optional<std::filesystem::path> uploader;
};
UploadCommandResult uploadResults(const Program& program);

} // namespace vexa
