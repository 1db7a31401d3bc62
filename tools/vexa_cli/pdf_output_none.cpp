#include "pdf_output.h"

namespace vexa::cli {

std::unique_ptr<PrintStream> pdfPrintStream(const std::filesystem::path&, Outcome& why) {
    why = Outcome::failure("This vexa-cli was built without Qt and cannot write PDF files; "
                           "write the report as text (any other file name) instead");
    return nullptr;
}

void releasePdfOutput() {}

} // namespace vexa::cli
