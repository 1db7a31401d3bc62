#include "commands.h"
#include "output_commands.h"
#include "pdf_output.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

void usage(std::ostream& err) {
    err << "usage: vexa-cli <command> [options]\n"
           "commands:\n"
           "  race --home DIR --event NAME [--script FILE] [--races N] [--print-dir DIR] "
           "[--quiet]\n"
           "       runs the event's current race(s) in simulated time, fed by a script of key\n"
           "       presses, decoder bytes and race-control actions; exits 0 when the races\n"
           "       were run, 1 when fewer could be, 2 for a wrong command line or script, 3\n"
           "       when a save or an output failed\n"
           "  report ...  writes a printed report of an event to a PDF or text file\n"
           "  html ...    writes the overall results page of a round range\n"
           "\n"
        << vexa::cli::ReportUsage << "\n"
        << vexa::cli::HtmlUsage;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        usage(std::cerr);
        return 2;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "race") return vexa::cli::raceCommand(args, std::cout, std::cerr);
    if (command == "report" || command == "html") {
        const int code = command == "report" ? vexa::cli::reportCommand(args, std::cout, std::cerr)
                                             : vexa::cli::htmlCommand(args, std::cout, std::cerr);
        vexa::cli::releasePdfOutput();
        return code;
    }
    usage(std::cerr);
    return 2;
}
