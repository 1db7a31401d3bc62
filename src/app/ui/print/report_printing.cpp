#include "ui/print/report_printing.h"

#include "base/latin1_path.h"
#include "platform/output_platform.h"
#include "program/program.h"
#include "program/program_home.h"

#include <QString>

namespace vexa {

QString reportPdfFile(const Program& program, const std::string& reportName) {
    const std::filesystem::path folder = program.paths ? program.paths->dir : program.home.root;
    return QString::fromStdWString((folder / latin1Path(reportName + ".pdf")).wstring());
}

void ReportPrinting::print(
    QWidget* parent, const std::string& reportName,
    const std::function<Outcome(PrintStream&, const ReportContext&)>& report) const {
    std::unique_ptr<PrintStream> out =
        printer ? printer(parent, reportPdfFile(program, reportName)) : nullptr;
    if (!out) return; // the operator cancelled the print dialog
    const ReportContext context{program, identity, now ? now() : currentLocalMoment()};
    const Outcome printed = report(*out, context);
    if (!printed) op.inform(printed.message);
}

ReportPrinting platformReportPrinting(Program& program, Operator& op) {
    return {program, loadOutputIdentity(program.home.iniFile()), chosenPrinterStream,
            currentLocalMoment, op};
}

} // namespace vexa
