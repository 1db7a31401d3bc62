#pragma once

#include "ui/print/report_printing.h"

#include <functional>

class QUrl;
class QWidget;

namespace vexa {

// "Start Order" of the main window's output menu: refused in round 1 with
// StartOrderRoundOneMessage, otherwise the start orders for the current round from the results
// of the round before it.
void startOrderMenuCommand(const ReportPrinting& printing, QWidget* parent);

// "Print Start Order" of the end-of-round window: the start orders for the next round from the
// results of the current round.
void printStartOrderForNextRound(const ReportPrinting& printing, QWidget* parent);

// "HTML Directory": opens the event's html folder with `openUrl` (the platform's file manager);
// nothing when the folder does not exist.
void htmlDirectoryCommand(const Program& program, const std::function<void(const QUrl&)>& openUrl);

// The upload command: completes mld.xml from the event's mlri.dat and starts the uploader
// mlu.exe of the program home with `openUrl` when it is there. A file that cannot be written is
// told to the operator.
void uploadCommand(const Program& program, Operator& op,
                   const std::function<void(const QUrl&)>& openUrl);

} // namespace vexa
