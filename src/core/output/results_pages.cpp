#include "output/results_pages.h"

#include "output/field_format.h"
#include "output/html_page.h"
#include "program/program.h"
#include "race/text_formats.h"
#include "scoring/ftd_standings.h"

namespace vexa {

namespace {

const char* const HeadCellStart = "<TD BGCOLOR=\"#00397B\" ";
const char* const WhiteStrong = "<FONT COLOR=\"#ffffff\"><STRONG>";
const char* const StrongEnd = "</STRONG></FONT>";

std::string headCell(const std::string& attributes, const std::string& text, bool closed) {
    return HeadCellStart + attributes + ">" + WhiteStrong + text + StrongEnd +
           (closed ? "</TD>" : "");
}

std::string cell(const char* align, const std::string& text) {
    return std::string("<TD ALIGN=") + align + ">" + text + "</TD>";
}

void appendOverallClass(std::string& out, const FtdClass& cls) {
    appendLine(out, HtmlTableStart);
    appendLine(out, "<CAPTION><font size=\"4\"><B> Class:(" + markupEscape(cls.className) +
                        ")</B></FONT></CAPTION>");
    appendLine(out, "<TR>");
    appendLine(out, headCell("ALIGN=center WIDTH=\"55\"", "Position", true));
    appendLine(out, headCell("ALIGN=left WIDTH=\"150\"", "Name", false));
    appendLine(out, headCell("ALIGN=right WIDTH=\"65\"", "Laps", false));
    appendLine(out, headCell("ALIGN=right WIDTH=\"90\"", "Time", false));
    appendLine(out, headCell("ALIGN=right WIDTH=\"83\"", "Best <BR> Round", false));
    appendLine(out, "</TR>");
    for (const FtdLine& line : cls.lines) {
        appendLine(out, "<TR>");
        appendLine(out, cell("center", std::to_string(line.position)));
        appendLine(out, cell("left", markupEscape(line.name)));
        appendLine(out, cell("right", std::to_string(line.laps)));
        appendLine(out, cell("right", FormatLapTime(line.time)));
        appendLine(out, cell("right", std::to_string(line.bestRound)));
        appendLine(out, "</TR>");
    }
    appendLine(out, "</TABLE><BR>");
}

} // namespace

std::string overallResultsFileName(int first, int last) {
    return "eor" + std::to_string(first) + "_" + std::to_string(last) + ".html";
}

std::string raceResultsFileName(const FinishedRace& race) {
    return (race.final ? "f" : "h") + std::to_string(race.raceNumber) + "r" +
           std::to_string(race.roundNumber) + ".html";
}

std::string overallResultsPageText(const ReportContext& context, int first, int last,
                                   bool includeNoScore) {
    const Program& program = context.program;
    std::string out;
    appendPageHead(out, context);
    appendLine(out,
               "<H2 ALIGN=CENTER>Overall Results after Round:" + std::to_string(last) + "</H2>");
    const FtdStandings standings =
        ftdStandings(program.event, program.settings, first, last, includeNoScore);
    for (const FtdClass& cls : standings.classes) appendOverallClass(out, cls);
    appendPageFoot(out, context.identity);
    return out;
}

std::string raceResultsPageText(const ReportContext& context, const FinishedRace& race) {
    std::string out;
    out.reserve(4096 + race.drivers.size() * 2048);
    appendPageHead(out, context);
    const std::string className =
        markupEscape(context.program.settings.classSetup(race.raceClass).name);
    const std::string numbers = std::to_string(race.raceNumber) +
                                " Round:" + std::to_string(race.roundNumber) + " " + className;
    appendLine(out, race.final ? "<H2 ALIGN=CENTER>Race Results for " +
                                     markupEscape(race.finalLetter) + " Final:" + numbers + "</H2>"
                               : "<H2 ALIGN=CENTER>Race Results for Heat:" + numbers + "</H2>");
    appendLine(out, HtmlTableStart);
    appendLine(out, "<TR>");
    appendLine(out, headCell("ALIGN=center WIDTH=\"55\"", "Position", true));
    appendLine(out, headCell("ALIGN=center WIDTH=\"55\"", "Car #", true));
    appendLine(out, headCell("WIDTH=\"150\"", "Name", true));
    appendLine(out, headCell("ALIGN=right WIDTH=\"65\"", "Laps", true));
    appendLine(out, headCell("ALIGN=right WIDTH=\"90\"", "Time", true));
    appendLine(out, headCell("ALIGN=right WIDTH=\"83\"", "Fastest<BR>Lap", true));
    appendLine(out, headCell("ALIGN=right WIDTH=\"83\"", "Average<BR>Lap", true));
    appendLine(out, "</TR>");
    for (int p = 1; p <= static_cast<int>(race.drivers.size()); ++p) {
        const RaceDriver* d = race.inPosition(p);
        if (!d) continue;
        appendLine(out, "<TR>");
        appendLine(out, cell("center", std::to_string(p)));
        appendLine(out, cell("center", std::to_string(d->carno)));
        appendLine(out, cell("left", markupEscape(d->drivername)));
        appendLine(out, cell("right", std::to_string(d->lapcount)));
        appendLine(out, cell("right", FormatLapTime(d->lastpass)));
        appendLine(out, cell("right", fixed(d->fastestlap, 3, 3)));
        appendLine(out, cell("right", averageLapText(*d)));
        appendLine(out, "</TR>");
    }
    appendLine(out, "</TABLE><BR>");

    appendLine(out, HtmlTableStart);
    appendLine(out, "<CAPTION><font size=\"4\"><B>Race Laptimes</B></FONT></CAPTION>");
    appendLine(out, "<TR>");
    appendLine(out, headCell("ALIGN=right WIDTH=\"40\"", "Lap", true));
    for (const RaceDriver& d : race.drivers)
        appendLine(out,
                   headCell("ALIGN=right WIDTH=\"60\"", "Car " + std::to_string(d.carno), true));
    appendLine(out, "</TR>");
    for (int n = 1; n <= MaxLapTimes; ++n) {
        std::string line = "<TR>" + headCell("ALIGN=right", std::to_string(n), true);
        bool anyTime = false;
        for (const RaceDriver& d : race.drivers) {
            const double t = d.laptimes[static_cast<size_t>(n)];
            if (t == 0.0) {
                line += "<TD></TD>";
            } else {
                line += cell("right", fixed(t, 4, 3));
                anyTime = true;
            }
        }
        if (!anyTime) break;
        appendLine(out, line + "</TR>");
    }
    appendLine(out, "</TABLE><BR>");
    appendPageFoot(out, context.identity);
    return out;
}

Outcome OverallResultsPage(const ReportContext& context, int first, int last, bool includeNoScore) {
    if (!htmlFolder(context.program)) return Outcome::success();
    return writeHtmlPage(context.program, overallResultsFileName(first, last),
                         overallResultsPageText(context, first, last, includeNoScore));
}

Outcome RaceResultsPage(const ReportContext& context, const FinishedRace& race) {
    if (!htmlFolder(context.program)) return Outcome::success();
    return writeHtmlPage(context.program, raceResultsFileName(race),
                         raceResultsPageText(context, race));
}

} // namespace vexa
