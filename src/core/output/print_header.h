#pragma once

#include "model/outcome.h"
#include "output/report_context.h"
#include "ports/print_stream.h"

namespace vexa {

inline constexpr const char* ArialFont = "Arial";
inline constexpr const char* CourierNewFont = "Courier New";

// Opens the print job and writes the head common to every report but the labels: the product,
// version and web address, the printing date and time, the meeting title and an empty line.
// A job that cannot be opened is reported and nothing is written.
Outcome PrintHeader(PrintStream& out, const ReportContext& context);

// Sets font name, size and style in one go.
void setFont(PrintStream& out, const char* name, int size, FontStyle style);

// Writes a text and ends the line.
void writeLine(PrintStream& out, const std::string& text);

} // namespace vexa
