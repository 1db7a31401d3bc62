#include "base/version.h"
#include "commands.h"
#include "output_commands.h"
#include "pdf_output.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const RaceUsage =
    "usage: vexa-cli race --home DIR --event NAME [--script FILE] [--races N] [--print-dir DIR] "
    "[--quiet] [--resume] [--halt-at SECONDS] [--live ADDRESS:PORT] [--scoreboard ADDRESS:PORT]\n"
    "  [--speed X]\n"
    "  Runs the event's current race(s) in simulated time, fed by a script of key presses,\n"
    "  decoder bytes and race-control actions (see the README). Each race is journaled in the\n"
    "  event folder; --resume replays the journal of a run that was stopped and carries on\n"
    "  with the script's events the journal does not hold yet. --halt-at stops the run dead at\n"
    "  that moment of simulated time, as a crash would (a drill for --resume). With --live the\n"
    "  race runs at X times real speed (default 1) while the live results pages and feed are\n"
    "  served on ADDRESS:PORT (127.0.0.1:8080; an empty address serves every interface, port 0\n"
    "  a free one); with --scoreboard, the same while scoreboards read the race's RMonitor\n"
    "  records on ADDRESS:PORT (127.0.0.1:50000). Exits 0 when the races were run, 1 when fewer "
    "could be, 2 for a wrong\n"
    "  command line or script, 3 when a save or an output of the run failed, 9 when halted.\n";

void usage(std::ostream& out) {
    out << "usage: vexa-cli <command> [options]\n"
           "       vexa-cli <command> --help\n"
           "       vexa-cli --version\n"
           "commands:\n"
           "  race    runs the event's current race(s) in simulated time\n"
           "  replay  runs a race again from its journal\n"
           "  correct corrects a stored race's result, with an audit line\n"
           "  report  writes a printed report of an event to a PDF or text file\n"
           "  html    writes the overall results page of a round range\n"
           "\n"
        << RaceUsage << "\n"
        << vexa::cli::ReplayUsage << "\n"
        << vexa::cli::CorrectUsage << "\n"
        << vexa::cli::ReportUsage << "\n"
        << vexa::cli::HtmlUsage;
}

bool asksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << "vexa-cli: a command is needed (race, replay, correct, report or html); see "
                     "vexa-cli "
                     "--help\n";
        return 2;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        usage(std::cout);
        return 0;
    }
    if (command == "--version") {
        std::cout << "vexa-cli " << vexa::ProgramVersion << "\n";
        return 0;
    }
    if (command == "race") {
        if (asksForHelp(args)) {
            std::cout << RaceUsage;
            return 0;
        }
        return vexa::cli::raceCommand(args, std::cout, std::cerr);
    }
    if (command == "replay" || command == "correct") {
        const bool replay = command == "replay";
        if (asksForHelp(args)) {
            std::cout << (replay ? vexa::cli::ReplayUsage : vexa::cli::CorrectUsage);
            return 0;
        }
        return replay ? vexa::cli::replayCommand(args, std::cout, std::cerr)
                      : vexa::cli::correctCommand(args, std::cout, std::cerr);
    }
    if (command == "report" || command == "html") {
        if (asksForHelp(args)) {
            std::cout << (command == "report" ? vexa::cli::ReportUsage : vexa::cli::HtmlUsage);
            return 0;
        }
        const int code = command == "report" ? vexa::cli::reportCommand(args, std::cout, std::cerr)
                                             : vexa::cli::htmlCommand(args, std::cout, std::cerr);
        vexa::cli::releasePdfOutput();
        return code;
    }
    std::cerr << "vexa-cli: unknown command '" << command << "'; see vexa-cli --help\n";
    return 2;
}
