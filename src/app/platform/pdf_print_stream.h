#pragma once

#include "platform/painted_print_stream.h"

#include <QPdfWriter>

#include <filesystem>
#include <memory>

namespace vexa {

// A print job into a PDF file on A4 pages. The file is written beside its final name and renamed
// over it when the job closes, so a failed job leaves any earlier file whole.
class PdfPrintStream : public PaintedPrintStream {
  public:
    explicit PdfPrintStream(std::filesystem::path file);
    ~PdfPrintStream() override;

  protected:
    QPagedPaintDevice* startDevice(QString& failure) override;
    Outcome finishDevice() override;

  private:
    std::filesystem::path file_;
    std::filesystem::path temp_;
    std::unique_ptr<QPdfWriter> writer_;
};

} // namespace vexa
