#pragma once

#include "output/output_identity.h"
#include "output/report_context.h"
#include "ports/operator.h"
#include "ports/print_stream.h"

#include <functional>
#include <memory>

class QString;
class QWidget;

namespace vexa {

struct Program;

// A print job on a printer the operator picks (nullptr when he cancels); printed to a PDF file,
// the file is `pdfFile` unless he names another.
using ChosenPrinter =
    std::function<std::unique_ptr<PrintStream>(QWidget* parent, const QString& pdfFile)>;

// What the print windows need: the program, the names printed on reports, a print job, the time
// of day and the operator.
struct ReportPrinting {
    Program& program;
    OutputIdentity identity;
    ChosenPrinter printer;
    std::function<LocalMoment()> now;
    Operator& op;

    // Runs a report on a new print job; a job that fails is told to the operator. A PDF file of
    // it is offered in the event's folder under the report's name ("Final Results.pdf").
    void print(QWidget* parent, const std::string& reportName,
               const std::function<Outcome(PrintStream&, const ReportContext&)>& report) const;
};

// The PDF file a report is offered as: the report's name in the event's folder (the program
// home without an open event).
QString reportPdfFile(const Program& program, const std::string& reportName);

// The printing of the running program: the print dialog's printer and the local time.
ReportPrinting platformReportPrinting(Program& program, Operator& op);

} // namespace vexa
