#pragma once

#include "output/output_identity.h"
#include "output/pending_sheets.h"
#include "output/race_results_sheet.h"
#include "ports/operator.h"
#include "ports/print_stream.h"
#include "ports/race_outputs.h"
#include "ports/scheduler.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

struct Program;

// What the result outputs need from the platform.
struct ResultOutputPorts {
    // A print job on the default printer; a new stream for every job.
    std::function<std::unique_ptr<PrintStream>()> printer;
    // The local date and time.
    std::function<LocalMoment()> now;
    Operator& op;
    Scheduler& scheduler;
    // Shows the end-of-round window modally; none when running without windows.
    std::function<void()> endOfRoundWindow;
};

// The end-of-race outputs: the race results sheet on the printer, the race's HTML page, the
// upload file, and the overall pages when the end-of-round window opens.
//
// The race results sheet is laid out at once but printed just after the end-of-race processing
// (on the event loop's next turn), so that the next countdown is not held by the printer; until
// it is printed it is kept in the event directory, and a crash meanwhile leaves it to be printed
// when the event is opened again.
//
// An output that fails never touches the stored results (the race engine has saved them before
// it calls here; only the upload entry is written ahead of them) and never holds up the end of
// the race: the failures of one race are collected and shown to the operator in one message just
// after the end-of-race processing has finished.
// A failure is shown once; the same failure is not repeated at later races until that output
// has worked again.
class ResultOutputs : public RaceOutputs {
  public:
    ResultOutputs(Program& program, OutputIdentity identity, ResultOutputPorts ports);
    ~ResultOutputs() override;
    ResultOutputs(const ResultOutputs&) = delete;
    ResultOutputs& operator=(const ResultOutputs&) = delete;

    // Called once the event is open: finishes an upload entry a crash left pending, and prints
    // the race results sheets a crash left unprinted.
    void eventOpened();
    // Prints the sheets still waiting and shows the failures not yet shown, now: a headless run
    // ends with it.
    void finishPending();

    // Lays the sheet out and keeps it; printed just after (see above).
    void printRaceLapTimes(const FinishedRace& race, int copies) override;
    void writeRaceResultsPage(const FinishedRace& race) override;
    // The race's RUN element, written ahead (and what an earlier crash left pending finished
    // first); then appended to the upload file.
    void prepareUploadFile(const FinishedRace& race) override;
    void writeUploadFile(const FinishedRace& race) override;
    // Writes the overall pages of the round just completed, then opens the window.
    void showEndOfRound(int roundNumber) override;

    // The overall results pages of round R = the current round: rounds R..R, then 1..R. Called
    // whenever the end-of-round window opens.
    void writeEndOfRoundPages();
    // The overall results page of rounds first..last, written when the finals table is rebuilt
    // from results (the sort table window's "&Next >").
    void writeOverallPage(int first, int last);

    const OutputIdentity& identity() const { return identity_; }
    void setIdentity(OutputIdentity identity) { identity_ = std::move(identity); }
    // The weather texts the track controller reports, printed on the race sheet.
    TrackWeather weather;
    // "Print Drivers with no scores" of the "EOR Positions" window, for the overall pages.
    bool includeNoScore = false;

  private:
    enum Output { Printing, RacePage, Upload, OverallPages, OutputCount };
    void note(Output output, const Outcome& outcome);
    // What is left for just after the end-of-race processing: the sheets, then the failures.
    void afterTheRace();
    void showPending();
    void keepSheets();
    void printSheets();

    Program& program_;
    OutputIdentity identity_;
    ResultOutputPorts ports_;
    std::string lastShown_[OutputCount];
    std::vector<std::string> pending_;
    TimerId pendingTimer_ = 0;         // runs afterTheRace's work
    std::vector<PendingSheet> sheets_; // laid out, not yet printed
    std::string stagedRun_;            // the RUN element written ahead for the race being finished
};

} // namespace vexa
