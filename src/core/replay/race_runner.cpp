#include "replay/race_runner.h"

#include "journal/race_inputs.h"

namespace vexa {

namespace {

constexpr int64_t DayMs = 24LL * 3600 * 1000;

} // namespace

RaceRunResult runRaces(RaceEngine& engine, VirtualScheduler& scheduler, const RaceScript& script,
                       int races, DecoderInput* decoder, JournalWriter* journal, int64_t haltAtMs,
                       const RunObserver* observer, const std::function<void(int64_t ms)>& pace) {
    RaceRunResult result;
    if (script.hasDecoderBytes() && !decoder) {
        result.message = "decoder bytes cannot be read: no decoder record parser is available";
        return result;
    }
    const int before = engine.completedRaces();
    auto done = [&] { return engine.completedRaces() - before >= races; };
    auto stuck = [&] {
        return engine.endOfRoundShown() ||
               engine.values().RaceState == RaceStates::CountdownPaused || engine.saveWaiting();
    };

    RaceInputs inputs(engine, decoder);
    inputs.setJournal(journal);
    engine.openRaceScreen();
    size_t next = 0;
    const auto& events = script.events;
    while (!done()) {
        const auto due = scheduler.nextDue();
        if (haltAtMs >= 0 && (next >= events.size() || events[next].ms > haltAtMs) &&
            (!due || *due > haltAtMs)) {
            result.halted = true;
            return result;
        }
        if (next < events.size() && (!due || *due > events[next].ms)) {
            if (pace) pace(events[next].ms);
            scheduler.advanceTo(events[next].ms);
            if (observer && observer->before) observer->before(next, engine);
            inputs.deliver(events[next]);
            if (observer && observer->after) observer->after(next, engine);
            ++next;
            continue;
        }
        if (next >= events.size() && stuck()) break;
        const int64_t lastMoment = events.empty() ? 0 : events.back().ms;
        if (!due || *due > lastMoment + DayMs) break;
        if (pace) pace(*due);
        scheduler.fireNext();
    }
    // What the program shows at once after the last race (the failed outputs, on a timer of 0 ms,
    // which falls due 1 ms later here) is part of the run.
    if (const auto due = scheduler.nextDue(); done() && due && *due <= scheduler.now() + 1)
        scheduler.advanceTo(*due);
    result.racesRun = engine.completedRaces() - before;
    result.ok = done();
    if (!result.ok) {
        if (engine.endOfRoundShown())
            result.message = "the round ended after " + std::to_string(result.racesRun) +
                             " race(s): the end-of-round window is open";
        else if (engine.saveWaiting())
            result.message = "the results of the last race could not be saved: the next race "
                             "waits for them";
        else if (engine.values().RaceState == RaceStates::CountdownPaused)
            result.message = "the countdown is paused with no more events in the script";
        else
            result.message = "no race ended within a day of simulated time";
    }
    return result;
}

} // namespace vexa
