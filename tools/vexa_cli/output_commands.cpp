#include "output_commands.h"

#include "cli_options.h"
#include "event_loader.h"
#include "output/final_results_report.h"
#include "output/ftd_report.h"
#include "output/html_page.h"
#include "output/label_print.h"
#include "output/points_report.h"
#include "output/racing_table_print.h"
#include "output/results_pages.h"
#include "output/start_order_print.h"
#include "output/text_print_stream.h"
#include "pdf_output.h"
#include "terminal_text.h"

#include "files/file_io.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <ostream>

namespace vexa::cli {

const char* const ReportUsage =
    "usage: vexa-cli report --home DIR --event NAME --out FILE REPORT [options]\n"
    "  FILE ending in .pdf gives a PDF file, any other name a plain-text file.\n"
    "  REPORT and its options (as on its window):\n"
    "    points        [--first R] [--last R] [--count N] [--with-no-scores]\n"
    "    ftd           [--first R] [--last R] [--with-no-scores]\n"
    "    final-results [--first F] [--last F] [--round R]\n"
    "    racing-table  [--finals] [--from N] [--to N] [--no-frequencies]\n"
    "    start-order   [--round R]   (R = the round whose results decide)\n"
    "    labels        [--finals] [--feed] [--car-order]\n"
    "  Rounds default to 1 .. the current round, finals to 1 .. the current race number,\n"
    "  the start order to the results of the round before the current one.\n";

const char* const HtmlUsage =
    "usage: vexa-cli html --home DIR --event NAME [--first R] [--last R] [--with-no-scores]\n"
    "                     [--out FILE]\n"
    "  Writes the overall results page eor<first>_<last>.html into the event's html folder,\n"
    "  or to FILE. Rounds default to 1 .. the current round.\n";

LocalMoment localNow() {
    const std::time_t t = std::time(nullptr);
    const std::tm* tm = std::localtime(&t);
    if (!tm) return LocalMoment::withPlainTexts(2000, 1, 1, 0, 0, 0);
    return LocalMoment::withPlainTexts(tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday, tm->tm_hour,
                                       tm->tm_min, tm->tm_sec);
}

namespace {

bool endsWithPdf(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".pdf";
}

// The event named by --home and --event, loaded; false after telling why.
bool loadFromOptions(CliOptions& options, Program& program, std::ostream& err, const char* usage) {
    const auto home = options.value("home");
    const auto event = options.value("event");
    if (!options.ok() || !home || !event) {
        err << (options.ok() ? "" : escapedControls(options.error()) + "\n") << usage;
        return false;
    }
    const EventLoad loaded = loadEvent(program, *home, *event);
    if (!loaded.outcome) {
        err << loaded.outcome.message << "\n";
        return false;
    }
    return true;
}

} // namespace

int reportCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    CliOptions options(words, {"with-no-scores", "finals", "no-frequencies", "feed", "car-order"});
    Program program;
    if (!loadFromOptions(options, program, err, ReportUsage)) return 2;
    const auto file = options.value("out");
    if (!file || options.words().size() != 1) {
        err << ReportUsage;
        return 2;
    }
    const std::string report = options.words().front();
    const ProgSettings& settings = program.settings;
    const int currentRound = settings.roundNumber;
    const bool withNoScores = options.has("with-no-scores");
    const bool finals = options.has("finals");

    std::unique_ptr<PrintStream> stream;
    if (endsWithPdf(*file)) {
        Outcome why;
        stream = pdfPrintStream(std::filesystem::path(*file), why);
        if (!stream) {
            err << terminalText(why.message) << "\n";
            return 1;
        }
    } else {
        stream = std::make_unique<TextPrintStream>(std::filesystem::path(*file));
    }
    const OutputIdentity identity = loadOutputIdentity(program.home.iniFile());
    const ReportContext context{program, identity, localNow()};

    Outcome printed = Outcome::failure("Unknown report: " + report);
    bool known = true;
    if (report == "points") {
        const int first = options.number("first", 1);
        const int last = options.number("last", currentRound);
        const int count = options.number("count", 1);
        if (options.ok())
            printed = printPointsReport(*stream, context, first, last, count, withNoScores);
    } else if (report == "ftd") {
        const int first = options.number("first", 1);
        const int last = options.number("last", currentRound);
        if (options.ok()) printed = PrintFTDResults(*stream, context, first, last, withNoScores);
    } else if (report == "final-results") {
        const int first = options.number("first", 1);
        const int last = options.number("last", settings.raceNumber);
        const int round = options.number("round", currentRound);
        if (options.ok()) printed = PrintFinalResults(*stream, context, first, last, round);
    } else if (report == "racing-table") {
        const RacingTablePrintOptions table{finals, options.number("from", 1),
                                            options.number("to", MaxRaces),
                                            !options.has("no-frequencies")};
        if (options.ok()) printed = printRacingTable(*stream, context, table);
    } else if (report == "start-order") {
        if (!options.has("round") && currentRound < 2) {
            err << StartOrderRoundOneMessage << "\n";
            return 1;
        }
        const int round = options.number("round", currentRound - 1);
        if (options.ok()) printed = printStartOrder(*stream, context, round);
    } else if (report == "labels") {
        const LabelPrintOptions labels{finals, options.has("feed"), options.has("car-order")};
        printed = printLabels(*stream, context, labels, [&out](const std::string& note) {
            out << terminalText(note) << "\n";
        });
    } else {
        known = false;
    }
    if (!options.ok()) {
        err << escapedControls(options.error()) << "\n" << ReportUsage;
        return 2;
    }
    if (!known) {
        err << terminalText(printed.message) << "\n" << ReportUsage;
        return 2;
    }
    if (!printed) {
        err << terminalText(printed.message) << "\n";
        return 1;
    }
    out << "Written " << escapedControls(*file) << "\n";
    return 0;
}

int htmlCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    CliOptions options(words, {"with-no-scores"});
    Program program;
    if (!loadFromOptions(options, program, err, HtmlUsage)) return 2;
    const int first = options.number("first", 1);
    const int last = options.number("last", program.settings.roundNumber);
    if (!options.ok() || !options.words().empty()) {
        err << (options.ok() ? "" : escapedControls(options.error()) + "\n") << HtmlUsage;
        return 2;
    }
    const OutputIdentity identity = loadOutputIdentity(program.home.iniFile());
    const ReportContext context{program, identity, localNow()};
    const bool withNoScores = options.has("with-no-scores");
    if (const auto file = options.value("out")) {
        const Outcome written =
            writeFileAtomic(std::filesystem::path(*file),
                            overallResultsPageText(context, first, last, withNoScores));
        if (!written) {
            err << terminalText(written.message) << "\n";
            return 1;
        }
        out << "Written " << escapedControls(*file) << "\n";
        return 0;
    }
    if (!htmlFolder(program)) {
        err << "The event has no html folder; nothing was written\n";
        return 1;
    }
    const Outcome written = OverallResultsPage(context, first, last, withNoScores);
    if (!written) {
        err << terminalText(written.message) << "\n";
        return 1;
    }
    out << "Written "
        << terminalText(displayPath(*htmlFolder(program) / overallResultsFileName(first, last)))
        << "\n";
    return 0;
}

} // namespace vexa::cli
