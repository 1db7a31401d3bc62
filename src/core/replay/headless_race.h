#pragma once

#include "journal/journal_writer.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "replay/headless_timing.h"
#include "replay/race_runner.h"
#include "station/race_station.h"

#include <functional>
#include <memory>

namespace vexa {

// The race engine of an open event on simulated time, the settings' counting equipment fed by a
// script, and every port written down in a transcript (each event handed to `echo` when given).
// The end-of-race outputs are the ones `outputs` makes on the race's scheduler and transcript;
// without it they only go into the transcript.
class HeadlessRace {
  public:
    using Echo = std::function<void(const PortEvent&)>;
    using OutputsMaker = std::function<RaceOutputs&(Scheduler&, RecordingPorts&)>;
    // `view`: screens that follow the engine's notices (the live results), or none.
    HeadlessRace(Program& program, Echo echo, const OutputsMaker& outputs = {},
                 RaceView* view = nullptr);
    ~HeadlessRace();
    HeadlessRace(const HeadlessRace&) = delete;
    HeadlessRace& operator=(const HeadlessRace&) = delete;

    RaceEngine& engine() { return station_->engine(); }
    RaceStation& station() { return *station_; }
    RaceRunResult run(const RaceScript& script, int races, JournalWriter* journal,
                      int64_t haltAtMs = -1, const RunObserver* observer = nullptr,
                      const std::function<void(int64_t ms)>& pace = {});

    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts ports{clock};

  private:
    HeadlessTiming timing_;
    std::unique_ptr<RaceStation> station_;
};

} // namespace vexa
