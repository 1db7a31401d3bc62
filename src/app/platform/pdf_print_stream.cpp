#include "platform/pdf_print_stream.h"

#include "files/file_io.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>

#include <system_error>

namespace vexa {

PdfPrintStream::PdfPrintStream(std::filesystem::path file) : file_(std::move(file)) {}

PdfPrintStream::~PdfPrintStream() {
    if (writer_) {
        writer_.reset();
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
    }
}

QPagedPaintDevice* PdfPrintStream::startDevice(QString& failure) {
    temp_ = file_;
    temp_ += ".tmp";
    {
        QFile probe(QString::fromStdWString(temp_.wstring()));
        if (!probe.open(QIODevice::WriteOnly)) {
            failure =
                QString::fromStdString("The file " + displayPath(file_) + " could not be written");
            return nullptr;
        }
    }
    writer_ = std::make_unique<QPdfWriter>(QString::fromStdWString(temp_.wstring()));
    writer_->setResolution(600);
    writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
    writer_->setCreator(QStringLiteral("Vexa Free"));
    return writer_.get();
}

Outcome PdfPrintStream::finishDevice() {
    writer_.reset(); // finishes the file
    std::error_code ec;
    const auto size = std::filesystem::file_size(temp_, ec);
    if (!ec && size > 0) std::filesystem::rename(temp_, file_, ec);
    if (ec || size == 0) {
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
        return Outcome::failure("The file " + displayPath(file_) + " could not be written");
    }
    return Outcome::success();
}

} // namespace vexa
