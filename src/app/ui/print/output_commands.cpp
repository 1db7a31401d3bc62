#include "ui/print/output_commands.h"

#include "output/html_page.h"
#include "output/start_order_print.h"
#include "output/upload_file.h"
#include "program/program.h"

#include <QUrl>

namespace vexa {

namespace {

QUrl fileUrl(const std::filesystem::path& path) {
    return QUrl::fromLocalFile(QString::fromStdWString(path.wstring()));
}

} // namespace

void startOrderMenuCommand(const ReportPrinting& printing, QWidget* parent) {
    const int round = printing.program.settings.roundNumber;
    if (round < 2) {
        printing.op.inform(StartOrderRoundOneMessage);
        return;
    }
    printing.print(parent, "Start Order Round " + std::to_string(round - 1),
                   [round](PrintStream& out, const ReportContext& context) {
                       return printStartOrder(out, context, round - 1);
                   });
}

void printStartOrderForNextRound(const ReportPrinting& printing, QWidget* parent) {
    const int round = printing.program.settings.roundNumber;
    printing.print(parent, "Start Order Round " + std::to_string(round),
                   [round](PrintStream& out, const ReportContext& context) {
                       return printStartOrder(out, context, round);
                   });
}

void htmlDirectoryCommand(const Program& program, const std::function<void(const QUrl&)>& openUrl) {
    if (const auto folder = htmlFolder(program)) openUrl(fileUrl(*folder));
}

void uploadCommand(const Program& program, Operator& op,
                   const std::function<void(const QUrl&)>& openUrl) {
    const UploadCommandResult result = uploadResults(program);
    if (!result.outcome) {
        op.inform(result.outcome.message);
        return;
    }
    if (result.uploader) openUrl(fileUrl(*result.uploader));
}

} // namespace vexa
