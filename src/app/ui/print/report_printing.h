#pragma once

#include "output/output_identity.h"
#include "output/report_context.h"
#include "ports/print_stream.h"
#include "ports/operator.h"

#include <functional>
#include <memory>

class QWidget;

namespace vexa {

struct Program;

// What the print windows need: the program, the names printed on reports, a print job (the
// printer the operator picks; nullptr when he cancels), the time of day and the operator.
struct ReportPrinting {
    Program& program;
    OutputIdentity identity;
    std::function<std::unique_ptr<PrintStream>(QWidget* parent)> printer;
    std::function<LocalMoment()> now;
    Operator& op;

    // Runs a report on a new print job; a job that fails is told to the operator.
    void print(QWidget* parent,
               const std::function<Outcome(PrintStream&, const ReportContext&)>& report) const;
};

// The printing of the running program: the print dialog's printer and the local time.
ReportPrinting platformReportPrinting(Program& program, Operator& op);

} // namespace vexa
