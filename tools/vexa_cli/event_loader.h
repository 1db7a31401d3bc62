#pragma once

#include "model/outcome.h"
#include "program/program.h"

#include <string>

namespace vexa::cli {

// Starts the program on a program home (settings, frequency names) and opens one of its events.
Outcome loadEvent(Program& program, const std::string& home, const std::string& event);

} // namespace vexa::cli
