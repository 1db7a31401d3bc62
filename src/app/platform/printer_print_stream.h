#pragma once

#include "platform/painted_print_stream.h"

#include <QPrinter>

#include <memory>

class QWidget;

namespace vexa {

// A print job on a printer: the default printer, or the one the operator picked in the print
// dialog. A system without any printer refuses the job with a message.
class PrinterPrintStream : public PaintedPrintStream {
  public:
    // The default printer.
    PrinterPrintStream();
    // A printer set up by the caller (for example through QPrintDialog).
    explicit PrinterPrintStream(std::unique_ptr<QPrinter> printer);
    ~PrinterPrintStream() override;

    // Shows the print dialog; the chosen printer, or nullptr when the operator cancels.
    static std::unique_ptr<QPrinter> choosePrinter(QWidget* parent, const QString& pdfFile);

  protected:
    QPagedPaintDevice* startDevice(QString& failure) override;
    Outcome finishDevice() override;

  private:
    std::unique_ptr<QPrinter> printer_;
};

inline constexpr const char* NoPrinterMessage =
    "No printer is installed: the report was not printed";

} // namespace vexa
