#pragma once

#include "journal/journal_writer.h"
#include "ports/decoder_input.h"
#include "race/race_engine.h"
#include "race/race_script.h"
#include "race/virtual_time.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vexa {

struct RaceRunResult {
    bool ok = false;
    int racesRun = 0;
    bool halted = false; // stopped at the halting moment
    std::string message; // why the run stopped early, or an error
};

// Runs races headless: opens the race screen at virtual time 0, then lets the countdown, the
// race clock and every other timer run in virtual time while the script's events arrive at their
// moments (timers due at or before a moment fire first). Stops once `races` races have been
// processed after their end (and what falls due at that same moment has run); also when the end of
// the round is reached, when the countdown is left paused or the last race's results wait to be
// saved with nothing more to come, or after a day of virtual time without a race end. Decoder bytes
// go to `decoder`; a script with decoder bytes and no decoder input is refused. Told of each script
// event as it is handed on (by its index in the script, with the engine it goes to): just before,
// and just after.
struct RunObserver {
    std::function<void(size_t, const RaceEngine&)> before;
    std::function<void(size_t, const RaceEngine&)> after;
};

// With a journal, every event is written into it before it is handed on. With a halting moment
// (0 or more), the run stops once everything due by then has happened. `pace`, when given, is
// called with each virtual moment before the run moves there: a run that follows real time waits
// in it until that moment has come.
RaceRunResult runRaces(RaceEngine& engine, VirtualScheduler& scheduler, const RaceScript& script,
                       int races, DecoderInput* decoder, JournalWriter* journal = nullptr,
                       int64_t haltAtMs = -1, const RunObserver* observer = nullptr,
                       const std::function<void(int64_t ms)>& pace = {});

} // namespace vexa
