#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vexa::cli {

// The exit codes of `vexa-cli race`.
inline constexpr int ExitDone = 0;        // the races asked for were run and everything saved
inline constexpr int ExitNotRun = 1;      // fewer races could be run, or the event not opened
inline constexpr int ExitCommandLine = 2; // a wrong command line or script
inline constexpr int ExitSaveFailed = 3;  // a save or an output of the run failed

// `vexa-cli race`: runs the open event's current race(s) headless. Returns the exit code.
int raceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vexa::cli
