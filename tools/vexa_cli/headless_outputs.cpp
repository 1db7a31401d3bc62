#include "headless_outputs.h"

#include "output/text_print_stream.h"
#include "output_commands.h"
#include "program/program.h"

namespace vexa::cli {

HeadlessOutputs::HeadlessOutputs(Program& program, Scheduler& scheduler, RecordingPorts& ports,
                                 std::filesystem::path printDir)
    : ports_(ports), printDir_(std::move(printDir)),
      outputs_(program, loadOutputIdentity(program.home.iniFile()),
               ResultOutputPorts{sheetFiles(), localNow, ports, scheduler, nullptr}) {
    std::error_code ec;
    if (!printDir_.empty()) std::filesystem::create_directories(printDir_, ec);
    outputs_.eventOpened(); // the event is open: what a crash left pending is finished
}

// Without a folder for the sheets there is no printer: sheets an earlier run left waiting stay
// for a run that prints.
std::function<std::unique_ptr<PrintStream>()> HeadlessOutputs::sheetFiles() {
    if (printDir_.empty()) return nullptr;
    return [this]() -> std::unique_ptr<PrintStream> {
        const auto file = printDir_ / ("print" + std::to_string(++printJobs_) + ".txt");
        return std::make_unique<TextPrintStream>(file);
    };
}

void HeadlessOutputs::printRaceLapTimes(const FinishedRace& race, int copies) {
    ports_.printRaceLapTimes(race, copies);
    if (!printDir_.empty()) outputs_.printRaceLapTimes(race, copies);
}

void HeadlessOutputs::writeRaceResultsPage(const FinishedRace& race) {
    ports_.writeRaceResultsPage(race);
    outputs_.writeRaceResultsPage(race);
}

void HeadlessOutputs::prepareUploadFile(const FinishedRace& race) {
    outputs_.prepareUploadFile(race);
}

void HeadlessOutputs::writeUploadFile(const FinishedRace& race) {
    ports_.writeUploadFile(race);
    outputs_.writeUploadFile(race);
}

void HeadlessOutputs::showEndOfRound(int roundNumber) {
    ports_.showEndOfRound(roundNumber);
    outputs_.showEndOfRound(roundNumber);
}

} // namespace vexa::cli
