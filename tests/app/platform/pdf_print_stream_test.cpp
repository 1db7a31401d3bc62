#include "output/label_print.h"
#include "output/race_results_sheet.h"
#include "platform/output_platform.h"
#include "platform/pdf_print_stream.h"
#include "platform/printer_print_stream.h"
#include "program/program.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontInfo>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace vexa;

// Reports printed into PDF files, rendered to PNG pages as a person would see them.
class PdfPrintStreamTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Program program_;
    OutputIdentity identity_;

    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }

    // The PNG pages pdftoppm renders from a PDF file.
    int renderedPages(const std::filesystem::path& pdf, const QString& prefix) const {
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                      QString::fromStdString(pdf.string()), dir_.filePath(prefix)});
        if (!render.waitForFinished(60000) || render.exitCode() != 0) return -1;
        return static_cast<int>(
            QDir(dir_.path()).entryList({prefix + QStringLiteral("*.png")}, QDir::Files).size());
    }

    QString pdfText(const std::filesystem::path& pdf) const {
        QProcess text;
        text.start(
            QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
        text.waitForFinished(60000);
        return QString::fromLatin1(text.readAllStandardOutput());
    }

    static RaceDriver entrant(const std::string& name, int carno, int laps, double lapTime) {
        RaceDriver d;
        d.drivername = name;
        d.carno = carno;
        d.transponder = 1000 + carno;
        for (int n = 1; n <= laps; ++n) d.laptimes[static_cast<size_t>(n)] = lapTime;
        d.lapcount = laps;
        d.lastpass = laps * lapTime;
        d.fastestlap = d.lastlap = lapTime;
        return d;
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        program_.settings.eventTitle = "Club Day";
        program_.settings.classes[1].name = "Touring";
    }

    void courierNewFallsBackToAFixedPitchFont() {
        const QFont font = PaintedPrintStream::printerFont("Courier New", 10, {});
        QVERIFY(QFontInfo(font).fixedPitch());
        QCOMPARE(QFontInfo(font).pointSize(), 10);
    }

    void shortRaceSheetIsOnePage() {
        RaceDrivers drivers{entrant("Ann Lee", 1, 12, 25.5), entrant("Bob Stone", 2, 11, 27.25)};
        drivers[0].runorder = 0;
        drivers[1].runorder = 1;
        PdfPrintStream out(file("short.pdf"));
        const ReportContext context{program_, identity_,
                                    LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9)};
        QVERIFY(printRaceResultsSheet(out, context, {drivers, 3, 2, false, 1, "", 0.0}, {}));
        QCOMPARE(out.pagesPrinted(), 1);
        QCOMPARE(renderedPages(file("short.pdf"), QStringLiteral("short")), 1);
        const QString text = pdfText(file("short.pdf"));
        QVERIFY(text.contains(QStringLiteral("( Race Results ) Heat: 3 Round: 2 Touring")));
        QVERIFY(text.contains(QStringLiteral("Ann Lee")));
    }

    void longRaceSheetBreaksOntoNewPages() {
        // 200 laps: the finishing order and a lap chart of 200 lines, about four A4 pages.
        RaceDrivers drivers{entrant("Ann Lee", 1, 200, 9.5), entrant("Bob Stone", 2, 199, 9.6)};
        drivers[0].runorder = 0;
        drivers[1].runorder = 1;
        PdfPrintStream out(file("long.pdf"));
        const ReportContext context{program_, identity_,
                                    LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9)};
        QVERIFY(printRaceResultsSheet(out, context, {drivers, 3, 2, false, 1, "", 0.0}, {}));
        const int pages = renderedPages(file("long.pdf"), QStringLiteral("long"));
        QCOMPARE(pages, out.pagesPrinted());
        QVERIFY2(pages >= 3 && pages <= 5, qPrintable(QString::number(pages)));
        // The last lap's line is printed whole, its columns intact.
        QVERIFY(pdfText(file("long.pdf"))
                    .contains(QRegularExpression(QStringLiteral("200\\s+9\\.50\\s+200"))));
    }

    void twentyCarLapChartIsScaledToThePageWidth() {
        RaceDrivers drivers;
        for (int k = 0; k < 20; ++k) {
            drivers.push_back(entrant("Car" + std::to_string(k + 1), k + 1, 30 - k, 9.75));
            drivers.back().runorder = k;
        }
        PdfPrintStream out(file("wide.pdf"));
        const ReportContext context{program_, identity_,
                                    LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9)};
        QVERIFY(printRaceResultsSheet(out, context, {drivers, 3, 2, false, 1, "", 0.0}, {}));
        QCOMPARE(renderedPages(file("wide.pdf"), QStringLiteral("wide")), 1);
        // The chart head and lap 1 keep their last columns on the page.
        const QString text = pdfText(file("wide.pdf"));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Car220\\s+LAP"))));
        QVERIFY(
            text.contains(QRegularExpression(QStringLiteral("\\n\\s*1\\s+(9\\.75\\s+){20}1\\s"))));
    }

    void labelsFedOnePerPage() {
        program_.event.competitor(1).name = "Ann Lee";
        program_.event.heats.setSlotText(1, 1, "1");
        program_.event.heats.setSlotText(2, 1, "1");
        program_.event.heats.setSlotText(3, 4, "1");
        PdfPrintStream out(file("labels.pdf"));
        const ReportContext context{program_, identity_,
                                    LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9)};
        QVERIFY(printLabels(out, context, {false, true, false}, nullptr));
        QCOMPARE(renderedPages(file("labels.pdf"), QStringLiteral("labels")), 3);
    }

    void aMissingPrinterRefusesTheJobWithAMessage() {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("this machine has a printer");
        const std::unique_ptr<PrintStream> out = defaultPrinterStream();
        const Outcome opened = out->open();
        QVERIFY(!opened);
        QCOMPARE(QString::fromStdString(opened.message), QString::fromLatin1(NoPrinterMessage));
    }

    void thePrintDialogOffersTheReportAsAPdfFileInTheEventsFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        const QString offered = QDir(dir_.path()).filePath(QStringLiteral("Final Results.pdf"));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                shown = name->text();
            static_cast<QDialog*>(dialog)->reject();
        });
        QVERIFY(!PrinterPrintStream::choosePrinter(nullptr, offered));
        QCOMPARE(shown, offered);
#else
        QSKIP("the platform's own print dialog");
#endif
    }

    void localMomentTexts() {
        const LocalMoment now = currentLocalMoment();
        QVERIFY(now.year >= 2000 && now.month >= 1 && now.month <= 12);
        QVERIFY(!now.shortDate.empty());
        QVERIFY(QString::fromStdString(now.longTime).contains(QLatin1Char(':')));
    }

    void aFileThatCannotBeWrittenIsReported() {
        PdfPrintStream out(file("missing folder") / "x.pdf");
        const Outcome opened = out.open();
        QVERIFY(!opened);
        QVERIFY(QString::fromStdString(opened.message).contains(QStringLiteral("x.pdf")));
    }
};

QTEST_MAIN(PdfPrintStreamTest)
#include "pdf_print_stream_test.moc"
