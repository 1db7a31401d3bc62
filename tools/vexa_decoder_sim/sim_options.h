#pragma once

#include "sim_decoder.h"

#include <optional>
#include <string>

namespace vexa::sim {

struct SimOptions {
    SimSettings decoder;
    int tcpPort = -1;      // listen on 127.0.0.1 at this port (0 = any free port); -1 = no TCP
    bool pty = false;      // a pseudo-terminal for a serial link
    double duration = 0.0; // seconds until the simulator stops by itself; 0 = until interrupted
    bool quiet = false;
};

inline constexpr const char* SimUsage =
    "usage: vexa-decoder-sim [--dialect ambrc|s20|ex20|italian] [--tcp PORT] [--pty]\n"
    "                        [--cars N] [--numbers A,B,...] [--lap SECONDS] [--spread SECONDS]\n"
    "                        [--hits LOW[-HIGH]] [--id DECODER] [--noise SECONDS]\n"
    "                        [--duration SECONDS] [--seed N] [--stamp] [--quiet]\n";

// Reads the command line; the text of the first error otherwise.
std::optional<SimOptions> parseSimOptions(int argc, char** argv, std::string& error);

} // namespace vexa::sim
