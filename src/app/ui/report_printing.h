#pragma once

#include "output/output_identity.h"
#include "output/report_context.h"
#include "ports/print_stream.h"
#include "ui/operator_messages.h"

#include <functional>
#include <memory>

namespace vexa {

struct Program;

// What the print windows need: the program, the names printed on reports, a print job (the
// printer the operator picks; nullptr when he cancels), the time of day and the operator's
// message box.
struct ReportPrinting {
    Program& program;
    OutputIdentity identity;
    std::function<std::unique_ptr<PrintStream>(QWidget* parent)> printer;
    std::function<LocalMoment()> now;
    InformOperator inform;

    // Runs a report on a new print job; a job that fails is told to the operator.
    void print(QWidget* parent,
               const std::function<Outcome(PrintStream&, const ReportContext&)>& report) const;
};

// The printing of the running program: the print dialog's printer, the local time, message boxes.
ReportPrinting platformReportPrinting(Program& program);

} // namespace vexa
