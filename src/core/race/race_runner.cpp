#include "race/race_runner.h"

namespace vexa {

namespace {

constexpr int64_t DayMs = 24LL * 3600 * 1000;

void deliver(RaceEngine& engine, const ScriptEvent& e, DecoderInput* decoder) {
    switch (e.kind) {
    case ScriptEvent::Kind::Key:
        for (char key : e.data) engine.manualKey(key);
        return;
    case ScriptEvent::Kind::Decoder:
        if (decoder) decoder->receiveDecoderBytes(e.data);
        return;
    case ScriptEvent::Kind::Action:
        break;
    }
    const std::string& a = e.action;
    const bool paused = engine.panel().pauseCaption != "Stop &Countdown";
    if (a == "start")
        engine.StartBtnClick();
    else if (a == "pause" && !paused)
        engine.StopStartCountdownClick();
    else if (a == "resume" && paused)
        engine.StopStartCountdownClick();
    else if (a == "reset")
        engine.ResetCountdownClick();
    else if (a == "plus1")
        engine.PlusOneMinuteClick();
    else if (a == "plus5")
        engine.PlusFiveMinutesClick();
    else if (a == "readorder")
        engine.ReadOrderClick();
    else if (a == "keys")
        engine.KeyEnableClick();
    else if (a == "restart")
        engine.RestartRaceClick();
    else if (a == "endrace")
        engine.EndRaceClick();
    else if (a == "penalty")
        engine.givePenalty(e.argument);
    else if (a == "reprint")
        engine.ReprintLapTimesClick();
}

} // namespace

RaceRunResult runRaces(RaceEngine& engine, VirtualScheduler& scheduler, const RaceScript& script,
                       int races, DecoderInput* decoder,
                       const std::function<void(int64_t ms)>& pace) {
    RaceRunResult result;
    if (script.hasDecoderBytes() && !decoder) {
        result.message = "decoder bytes cannot be read: no decoder record parser is available";
        return result;
    }
    const int before = engine.completedRaces();
    auto done = [&] { return engine.completedRaces() - before >= races; };
    auto stuck = [&] {
        return engine.endOfRoundShown() || engine.values().RaceState == RaceStates::CountdownPaused;
    };

    engine.openRaceScreen();
    size_t next = 0;
    const auto& events = script.events;
    while (!done()) {
        const auto due = scheduler.nextDue();
        if (next < events.size() && (!due || *due > events[next].ms)) {
            if (pace) pace(events[next].ms);
            scheduler.advanceTo(events[next].ms);
            deliver(engine, events[next++], decoder);
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
        else if (engine.values().RaceState == RaceStates::CountdownPaused)
            result.message = "the countdown is paused with no more events in the script";
        else
            result.message = "no race ended within a day of simulated time";
    }
    return result;
}

} // namespace vexa
