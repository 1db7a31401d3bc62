#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vexa::cli {

// `vexa-cli race`: runs the open event's current race(s) headless. Returns the exit code.
int raceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vexa::cli
