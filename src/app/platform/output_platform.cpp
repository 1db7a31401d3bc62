#include "platform/output_platform.h"

#include "platform/latin1.h"
#include "platform/printer_print_stream.h"

#include <QDateTime>
#include <QLocale>

namespace vexa {

LocalMoment currentLocalMoment() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    LocalMoment moment{date.year(),   date.month(),  date.day(), time.hour(),
                       time.minute(), time.second(), {},         {}};
    const QLocale locale = QLocale::system();
    moment.shortDate = fromQt(locale.toString(date, QLocale::ShortFormat));
    // The locale's long time without the time zone.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    moment.longTime = fromQt(locale.toString(time, format.trimmed()));
    return moment;
}

std::unique_ptr<PrintStream> defaultPrinterStream() {
    return std::make_unique<PrinterPrintStream>();
}

std::unique_ptr<PrintStream> chosenPrinterStream(QWidget* parent, const QString& pdfFile) {
    std::unique_ptr<QPrinter> printer = PrinterPrintStream::choosePrinter(parent, pdfFile);
    if (!printer) return nullptr;
    return std::make_unique<PrinterPrintStream>(std::move(printer));
}

} // namespace vexa
