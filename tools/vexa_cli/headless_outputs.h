#pragma once

#include "output/result_outputs.h"
#include "race/recording_ports.h"

#include <filesystem>

namespace vexa::cli {

// The end-of-race outputs of a headless run: each is written down in the transcript and then
// made for real: the race's HTML page and the upload file as the program writes them, and the
// race results sheets as text files in a folder when one is given (there is no printer).
class HeadlessOutputs : public RaceOutputs {
  public:
    HeadlessOutputs(Program& program, Scheduler& scheduler, RecordingPorts& ports,
                    std::filesystem::path printDir);

    void printRaceLapTimes(const FinishedRace& race, int copies) override;
    void writeRaceResultsPage(const FinishedRace& race) override;
    void prepareUploadFile(const FinishedRace& race) override;
    void writeUploadFile(const FinishedRace& race) override;
    void showEndOfRound(int roundNumber) override;
    // Prints the sheets still waiting for the event loop and tells what failed: the run ends.
    void finish() { outputs_.finishPending(); }

  private:
    std::function<std::unique_ptr<PrintStream>()> sheetFiles();

    RecordingPorts& ports_;
    std::filesystem::path printDir_;
    int printJobs_ = 0;
    ResultOutputs outputs_;
};

} // namespace vexa::cli
