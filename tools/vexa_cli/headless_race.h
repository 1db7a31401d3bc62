#pragma once

#include "headless_outputs.h"
#include "headless_timing.h"

#include "journal/journal_writer.h"
#include "program/program.h"
#include "race/race_runner.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"

#include <filesystem>
#include <iosfwd>
#include <optional>

namespace vexa::cli {

// The race engine of an open event on simulated time, the settings' counting equipment fed by a
// script, and every port written down in a transcript (echoed to `echo` when given). With
// `printDir` the end-of-race outputs are made as the program makes them (sheets into that
// folder when it is not empty); without it they only go into the transcript.
class HeadlessRace {
  public:
    // `view`: screens that follow the engine's notices (the live results), or none.
    HeadlessRace(Program& program, std::ostream* echo,
                 std::optional<std::filesystem::path> printDir, RaceView* view = nullptr);
    ~HeadlessRace();
    HeadlessRace(const HeadlessRace&) = delete;
    HeadlessRace& operator=(const HeadlessRace&) = delete;

    RaceEngine& engine() { return *engine_; }
    RaceRunResult run(const RaceScript& script, int races, JournalWriter* journal,
                      int64_t haltAtMs = -1, const RunObserver* observer = nullptr,
                      const std::function<void(int64_t ms)>& pace = {});

    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts ports{clock};

  private:
    Program& program_;
    HeadlessTiming timing_;
    std::optional<HeadlessOutputs> outputs_;
    RaceEngine* engine_ = nullptr;
};

} // namespace vexa::cli
