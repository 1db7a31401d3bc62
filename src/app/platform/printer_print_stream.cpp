#include "platform/printer_print_stream.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace vexa {

PrinterPrintStream::PrinterPrintStream() = default;

PrinterPrintStream::PrinterPrintStream(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer)) {}

PrinterPrintStream::~PrinterPrintStream() = default;

namespace {

// The print dialog offers the printer's output file for "Print to File (PDF)"; naming it leaves
// the printer, not the file, chosen.
void offerPdfFile(QPrinter& printer, const QString& pdfFile) {
    if (pdfFile.isEmpty()) return;
    printer.setDocName(QFileInfo(pdfFile).completeBaseName());
    printer.setOutputFileName(pdfFile);
    printer.setOutputFormat(QPrinter::NativeFormat);
}

} // namespace

std::unique_ptr<QPrinter> PrinterPrintStream::choosePrinter(QWidget* parent,
                                                            const QString& pdfFile) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    offerPdfFile(*printer, pdfFile);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return printer;
}

QPagedPaintDevice* PrinterPrintStream::startDevice(QString& failure) {
    if (!printer_) {
        if (QPrinterInfo::defaultPrinter().isNull() &&
            QPrinterInfo::availablePrinters().isEmpty()) {
            failure = QString::fromLatin1(NoPrinterMessage);
            return nullptr;
        }
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    if (!printer_->isValid()) {
        failure = QString::fromLatin1(NoPrinterMessage);
        return nullptr;
    }
    return printer_.get();
}

Outcome PrinterPrintStream::finishDevice() {
    if (printer_ && printer_->printerState() == QPrinter::Error)
        return Outcome::failure("The printer reported an error: the report may not be complete");
    return Outcome::success();
}

} // namespace vexa
