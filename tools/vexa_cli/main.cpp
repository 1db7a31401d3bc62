#include "commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

void usage(std::ostream& err) {
    err << "usage: vexa-cli <command> [options]\n"
           "commands:\n"
           "  race --home DIR --event NAME [--script FILE] [--races N] [--quiet]\n"
           "       runs the event's current race(s) in simulated time, fed by a script of key\n"
           "       presses, decoder bytes and race-control actions\n";
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
    usage(std::cerr);
    return 2;
}
