#include "pdf_output.h"

#include "platform/pdf_print_stream.h"

#include <QGuiApplication>

#include <memory>

namespace vexa::cli {

namespace {

// Fonts need a GUI application; a command-line run needs no screen.
std::unique_ptr<QGuiApplication> app;

} // namespace

std::unique_ptr<PrintStream> pdfPrintStream(const std::filesystem::path& file, Outcome& why) {
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "vexa-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    why = Outcome::success();
    return std::make_unique<PdfPrintStream>(file);
}

void releasePdfOutput() {
    app.reset();
}

} // namespace vexa::cli
