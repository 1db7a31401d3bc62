#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vexa::cli {

// `vexa-cli race`: runs the open event's current race(s) headless. Returns the exit code.
int raceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `vexa-cli replay`: runs a race again from its journal. Returns the exit code.
int replayCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
extern const char* const ReplayUsage;

// `vexa-cli correct`: corrects a stored race's result from its journal, with an audit line.
int correctCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
extern const char* const CorrectUsage;

} // namespace vexa::cli
