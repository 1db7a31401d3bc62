#pragma once

#include "model/outcome.h"
#include "ports/print_stream.h"

#include <filesystem>
#include <memory>

namespace vexa::cli {

// A print stream into a PDF file, or nothing (with the reason) when this build cannot make PDF.
std::unique_ptr<PrintStream> pdfPrintStream(const std::filesystem::path& file, Outcome& why);

// Ends what PDF output started (the Qt application behind the fonts); called before main returns.
void releasePdfOutput();

} // namespace vexa::cli
