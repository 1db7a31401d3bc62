#include "output/upload_file.h"

#include "files/file_io.h"
#include "output/field_format.h"
#include "output/html_page.h"
#include "program/program.h"
#include "race/text_formats.h"

#include <cmath>
#include <cstdio>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

namespace {

std::string twoDigits(long long v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

// An element's attribute: a blank, the name, = and the escaped value in double quotes.
void attribute(std::string& out, const char* name, const std::string& value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += markupEscape(value);
    out += '"';
}

// The lap (1..200) with the lowest time above 0, the first of equal ones; 0 when none.
int inLap(const RaceDriver& d) {
    int best = 0;
    for (int n = 1; n <= MaxLapTimes; ++n) {
        const double t = d.laptimes[static_cast<size_t>(n)];
        if (t > 0.0 && (best == 0 || t < d.laptimes[static_cast<size_t>(best)])) best = n;
    }
    return best;
}

} // namespace

std::optional<fs::path> uploadDirectory(const Program& program) {
    if (!program.paths) return std::nullopt;
    std::error_code ec;
    if (!fs::is_directory(program.paths->dir, ec)) return std::nullopt;
    return program.paths->dir;
}

std::string FormatXmlDate(const LocalMoment& now, bool withTime) {
    char buf[64];
    if (withTime)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", now.year, now.month, now.day,
                      now.hour, now.minute);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", now.year, now.month, now.day);
    return buf;
}

std::string FormatXmlTime(double t) {
    if (!(t > 0.0 && t <= LongestTimeShown)) return "0";
    const long long wholeMinutes = static_cast<long long>(std::floor(t / 60.0));
    const float s = static_cast<float>(t - 60.0 * static_cast<double>(wholeMinutes));
    const long long h = wholeMinutes / 60;
    const long long m = wholeMinutes % 60;
    std::string out;
    if (h > 0) out = twoDigits(h) + ":";
    out += twoDigits(m) + ":";
    if (s < 10.0f) out += "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(s));
    out += std::string(buf).substr(0, 6);
    return out;
}

std::string uploadHeaderText(const ReportContext& context, double trackMiles) {
    std::string eventName = context.program.settings.eventTitle.substr(0, TitleCapacity);
    if (eventName.empty()) eventName = context.now.shortDate;
    std::string tag = "<EVENT";
    attribute(tag, "TrackName", context.identity.trackName);
    attribute(tag, "TrackLength", fixed(trackMiles, 6, 3).substr(0, 10));
    attribute(tag, "TrackUnit", "M");
    attribute(tag, "EventName", eventName);
    attribute(tag, "EventDate", FormatXmlDate(context.now, false));
    attribute(tag, "EventEndDate", FormatXmlDate(context.now, false));
    attribute(tag, "EventSport", "5");
    tag += '>';
    std::string out;
    appendLine(out, "<UPLOAD>");
    appendLine(out, tag);
    appendLine(out, "");
    return out;
}

std::string uploadRunText(const ReportContext& context, const FinishedRace& race) {
    const Program& program = context.program;
    const std::string numbers =
        std::to_string(race.raceNumber) + " Round:" + std::to_string(race.roundNumber);
    std::string out;
    out.reserve(256 + race.drivers.size() * 512);
    std::string tag = "<RUN";
    attribute(tag, "Name", race.final ? race.finalLetter + " Final:" + numbers : "Heat:" + numbers);
    attribute(tag, "RunType", race.final ? "R" : "Q");
    attribute(tag, "RunDateTime", FormatXmlDate(context.now, true));
    appendLine(out, tag + ">");

    const RaceDriver* leader = race.inPosition(1);
    const RaceDriver* previous = nullptr;
    for (int p = 1; p <= static_cast<int>(race.drivers.size()); ++p) {
        const RaceDriver* e = race.inPosition(p);
        if (!e) continue;
        int diffLaps = 0;
        double diffTime = 0.0;
        double gap = 0.0;
        if (p > 1 && leader) {
            if (e->lapcount < leader->lapcount)
                diffLaps = leader->lapcount - e->lapcount;
            else
                diffTime = e->lastpass - leader->lastpass;
            if (previous && previous->lapcount == e->lapcount)
                gap = e->lastpass - previous->lastpass;
        }
        const size_t blank = e->drivername.find(' ');
        const std::string firstName =
            blank == std::string::npos ? e->drivername : e->drivername.substr(0, blank);
        const std::string lastName =
            blank == std::string::npos ? e->drivername : e->drivername.substr(blank + 1);
        const std::string className =
            validId(e->compno)
                ? program.settings.classSetup(program.event.competitor(e->compno).classno).name
                : std::string();
        const std::string position = std::to_string(p);

        std::string line = "<RESULT";
        attribute(line, "FirstName", firstName);
        attribute(line, "LastName", lastName);
        attribute(line, "DisplayName", e->drivername);
        attribute(line, "Pos", position);
        attribute(line, "Class", className);
        attribute(line, "Laps", std::to_string(e->lapcount));
        attribute(line, "TotalTm", FormatXmlTime(e->lastpass));
        attribute(line, "Points", position);
        attribute(line, "PosInClass", position);
        attribute(line, "BestTm", FormatXmlTime(e->fastestlap));
        attribute(line, "In_Lap", std::to_string(inLap(*e)));
        attribute(line, "LastTm", FormatXmlTime(e->lastlap));
        attribute(line, "DiffTime", FormatXmlTime(diffTime));
        attribute(line, "DiffLaps", std::to_string(diffLaps));
        attribute(line, "Gap", FormatXmlTime(gap));
        attribute(line, "Transponder1",
                  std::to_string(e->transponder == 0 ? 9999999 : e->transponder));
        attribute(line, "Qualified", "1");
        attribute(line, "Status", "1");
        attribute(line, "BestSpd", "0");
        appendLine(out, line + " />");
        previous = e;
    }
    appendLine(out, "</RUN>");
    return out;
}

Outcome UploadRun(const ReportContext& context, const FinishedRace& race) {
    return appendUploadRun(context, uploadRunText(context, race), race.trackMiles);
}

Outcome appendUploadRun(const ReportContext& context, const std::string& runText,
                        double trackMiles) {
    const std::optional<fs::path> dir = uploadDirectory(context.program);
    if (!dir) return Outcome::success();
    const fs::path file = *dir / UploadCollectFileName;
    std::error_code ec;
    // Only the race's own bytes are written, so a race costs the same at the end of a long
    // meeting as at its start; a new file is written whole, head and race together.
    if (fs::exists(file, ec)) return appendFileDurably(file, runText);
    return writeFileAtomic(file, uploadHeaderText(context, trackMiles) + runText);
}

UploadCommandResult uploadResults(const Program& program) {
    UploadCommandResult result;
    std::error_code ec;
    if (const std::optional<fs::path> dir = uploadDirectory(program)) {
        const fs::path collected = *dir / UploadCollectFileName;
        if (fs::exists(collected, ec)) {
            const auto bytes = readWholeFile(collected);
            if (!bytes) {
                result.outcome =
                    Outcome::failure("The file " + displayPath(collected) + " could not be read");
                return result;
            }
            std::string text(bytes->begin(), bytes->end());
            appendLine(text, UploadClosingLine);
            result.outcome = writeFileAtomic(program.home.root / UploadDocumentFileName, text);
            if (!result.outcome) return result;
        }
    }
    const fs::path uploader = program.home.root / UploaderFileName;
    if (fs::is_regular_file(uploader, ec)) result.uploader = uploader;
    return result;
}

} // namespace vexa
