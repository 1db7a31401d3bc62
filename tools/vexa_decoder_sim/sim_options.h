#pragma once

#include "sim_decoder.h"

#include <optional>
#include <string>

namespace vexa::sim {

struct SimOptions {
    SimSettings decoder;
    int tcpPort = -1;       // listen on 127.0.0.1 at this port (0 = any free port); -1 = no TCP
    bool pty = false;       // a pseudo-terminal for a serial link
    double duration = 0.0;  // seconds until the simulator stops by itself; 0 = until interrupted
    double dropEvery = 0.0; // seconds between dropped TCP connections; 0 = only on request
    double down = 2.0;      // seconds a drop refuses connections, or a mute lasts
    bool quiet = false;
    bool help = false;
    bool version = false;
};

inline constexpr const char* SimUsage =
    "usage: vexa-decoder-sim [--dialect ambrc|s20|ex20|italian|p3] [--tcp PORT] [--pty]\n"
    "                        [--cars N] [--numbers A,B,...] [--lap SECONDS] [--spread SECONDS]\n"
    "                        [--hits LOW[-HIGH]] [--id DECODER] [--noise SECONDS]\n"
    "                        [--drop-every SECONDS] [--down SECONDS]\n"
    "                        [--duration SECONDS] [--seed N] [--stamp] [--quiet] [--help]\n"
    "       vexa-decoder-sim --version\n";

inline constexpr const char* SimHelp =
    "A simulated decoder with cars going round, for rehearsing without hardware.\n"
    "\n"
    "  --dialect D        ambrc (default), s20 (System 20), ex20, italian, or p3 (binary P3\n"
    "                     records over TCP, as decoders of the RC4 family and ProChip speak)\n"
    "  --tcp PORT         listen on 127.0.0.1:PORT (0 picks a free port) for AMBrc or P3\n"
    "  --pty              make a pseudo-terminal that stands in for a serial port\n"
    "  --cars N           cars on the track (default 4): transponders 4000001, 4000002, ...\n"
    "                     (AMBrc, P3), 1001, ... (EX20), car numbers 1, 2, ... (the others)\n"
    "  --numbers A,B,...  the cars' transponders or car numbers instead\n"
    "  --lap SECONDS      lap time (default 20), give or take --spread SECONDS (default 1)\n"
    "  --hits LOW[-HIGH]  hits of a passing (default 8-14)\n"
    "  --id DECODER       decoder identity (default 7)\n"
    "  --noise SECONDS    a status record every SECONDS (default 5, 0 for none; AMBrc, P3)\n"
    "  --drop-every SECONDS\n"
    "                     drop the TCP connections every SECONDS, to rehearse a reconnect\n"
    "  --down SECONDS     after a drop, refuse connections for SECONDS (default 2); a mute\n"
    "                     lasts as long\n"
    "  --duration SECONDS stop after SECONDS; otherwise run until interrupted\n"
    "  --seed N           seed of the laps, hits and noise (default 1)\n"
    "  --stamp            a monotonic time stamp in field 2 of each AMBrc passing, in tag\n"
    "                     0xF0 of each P3 passing (nanoseconds)\n"
    "  --quiet            print only the address line\n"
    "\n"
    "Commands on standard input, one a line:\n"
    "  drop               drop the TCP connections now (the decoder goes on counting; a P3\n"
    "                     client that reconnects can ask for the passings it missed)\n"
    "  mute               say nothing for --down seconds, keeping the TCP connections open, as\n"
    "                     behind a cable cut without a reset (the decoder goes on counting)\n"
    "\n"
    "A P3 decoder numbers its passings from 1, keeps them, and sends them again on RESEND; it\n"
    "answers GET_TIME and VERSION, and its clock runs on from the computer's time of day.\n";

// Reads the command line; the text of the first error otherwise.
std::optional<SimOptions> parseSimOptions(int argc, char** argv, std::string& error);

} // namespace vexa::sim
