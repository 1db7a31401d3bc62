#pragma once

#include "base/local_moment.h"
#include "ports/print_stream.h"

#include <memory>

class QString;
class QWidget;

namespace vexa {

// The local date and time with the system locale's short date and long time texts.
LocalMoment currentLocalMoment();

// A print job on the default printer (the end of a race prints there without asking).
std::unique_ptr<PrintStream> defaultPrinterStream();

// A print job on a printer the operator picks in the print dialog (printing from a menu), which
// offers `pdfFile` for printing to a PDF file; nullptr when the operator cancels.
std::unique_ptr<PrintStream> chosenPrinterStream(QWidget* parent, const QString& pdfFile);

} // namespace vexa
