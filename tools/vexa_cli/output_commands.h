#pragma once

#include "base/local_moment.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vexa::cli {

// `vexa-cli report`: writes a printed report of an event to a PDF file (name ending in .pdf) or
// to a plain-text file (any other name). Returns the exit code.
int reportCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// `vexa-cli html`: writes the overall results page of a round range, into the event's html
// folder or to a file of its own. Returns the exit code.
int htmlCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// The computer's local date and time.
LocalMoment localNow();

extern const char* const ReportUsage;
extern const char* const HtmlUsage;

} // namespace vexa::cli
