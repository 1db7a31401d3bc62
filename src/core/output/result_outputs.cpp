#include "output/result_outputs.h"

#include "output/pending_upload.h"
#include "output/results_pages.h"
#include "output/upload_file.h"
#include "program/program.h"

#include <utility>

namespace vexa {

ResultOutputs::ResultOutputs(Program& program, OutputIdentity identity, ResultOutputPorts ports)
    : program_(program), identity_(std::move(identity)), ports_(std::move(ports)) {}

void ResultOutputs::eventOpened() {
    note(Upload, completePendingUploadRun({program_, identity_, ports_.now()}));
    if (program_.paths && ports_.printer) {
        sheets_ = readPendingSheets(program_.paths->dir);
        if (!sheets_.empty()) afterTheRace();
    }
}

// A sheet still waiting stays in its file, to be printed at the next opening.
ResultOutputs::~ResultOutputs() {
    if (pendingTimer_) ports_.scheduler.stopTimer(pendingTimer_);
}

void ResultOutputs::finishPending() {
    if (pendingTimer_) {
        ports_.scheduler.stopTimer(pendingTimer_);
        showPending();
    }
}

void ResultOutputs::printRaceLapTimes(const FinishedRace& race, int copies) {
    PendingSheet sheet{{}, copies};
    const Outcome laid =
        printRaceResultsSheet(sheet.job, {program_, identity_, ports_.now()}, race, weather);
    if (!laid) {
        note(Printing, laid);
        return;
    }
    sheets_.push_back(std::move(sheet));
    keepSheets();
    afterTheRace();
}

// The sheets' file is their insurance against a crash only: one that cannot be written is not
// told (the sheets are printed in a moment, and a folder that takes no file fails the results'
// save, which is told).
void ResultOutputs::keepSheets() {
    if (program_.paths) (void)keepPendingSheets(program_.paths->dir, sheets_);
}

void ResultOutputs::printSheets() {
    if (sheets_.empty()) return;
    const std::vector<PendingSheet> sheets = std::exchange(sheets_, {});
    for (const PendingSheet& sheet : sheets) {
        Outcome printed;
        for (int copy = 0; copy < sheet.copies && printed; ++copy) {
            std::unique_ptr<PrintStream> out = ports_.printer ? ports_.printer() : nullptr;
            if (!out) {
                printed = Outcome::failure("There is no printer to print the race results on");
                break;
            }
            printed = sheet.job.printOn(*out);
        }
        note(Printing, printed);
    }
    keepSheets();
}

void ResultOutputs::writeRaceResultsPage(const FinishedRace& race) {
    const ReportContext context{program_, identity_, ports_.now()};
    note(RacePage, RaceResultsPage(context, race));
}

void ResultOutputs::prepareUploadFile(const FinishedRace& race) {
    const ReportContext context{program_, identity_, ports_.now()};
    stagedRun_ = uploadRunText(context, race);
    Outcome staged = completePendingUploadRun(context);
    if (staged) staged = stageUploadRun(program_, stagedRun_);
    note(Upload, staged);
}

void ResultOutputs::writeUploadFile(const FinishedRace& race) {
    const ReportContext context{program_, identity_, ports_.now()};
    if (stagedRun_.empty()) stagedRun_ = uploadRunText(context, race);
    note(Upload, commitUploadRun(context, stagedRun_, race.trackMiles));
    stagedRun_.clear();
}

void ResultOutputs::showEndOfRound(int) {
    writeEndOfRoundPages();
    if (ports_.endOfRoundWindow) ports_.endOfRoundWindow();
}

void ResultOutputs::writeEndOfRoundPages() {
    const ReportContext context{program_, identity_, ports_.now()};
    const int round = program_.settings.roundNumber;
    Outcome written = OverallResultsPage(context, round, round, includeNoScore);
    if (written) written = OverallResultsPage(context, 1, round, includeNoScore);
    note(OverallPages, written);
}

void ResultOutputs::writeOverallPage(int first, int last) {
    const ReportContext context{program_, identity_, ports_.now()};
    note(OverallPages, OverallResultsPage(context, first, last, includeNoScore));
}

void ResultOutputs::note(Output output, const Outcome& outcome) {
    std::string& shown = lastShown_[output];
    if (outcome) {
        shown.clear();
        return;
    }
    if (outcome.message == shown) return;
    shown = outcome.message;
    pending_.push_back(outcome.message);
    afterTheRace();
}

void ResultOutputs::afterTheRace() {
    if (!pendingTimer_)
        pendingTimer_ = ports_.scheduler.startTimer(0, false, [this] { showPending(); });
}

// The sheets first: their failures are told with the others of their race.
void ResultOutputs::showPending() {
    printSheets();
    pendingTimer_ = 0;
    std::string text;
    for (const std::string& message : pending_) text += (text.empty() ? "" : "\n") + message;
    pending_.clear();
    if (!text.empty()) ports_.op.reportFailure(text);
}

} // namespace vexa
