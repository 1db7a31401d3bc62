#include "replay/headless_race.h"

namespace vexa {

HeadlessRace::HeadlessRace(Program& program, Echo echo, const OutputsMaker& makeOutputs,
                           RaceView* view)
    : program_(program), timing_(program, scheduler, clock, ports) {
    if (echo) ports.echo = std::move(echo);
    RaceOutputs* outputs = &ports;
    if (makeOutputs) outputs = &makeOutputs(scheduler, ports);
    engine_ = &attachRaceEngine(program, RacePorts{clock, scheduler, ports, ports,
                                                   timing_.equipment(), ports, *outputs, view});
    engine_->setDiagnostics([this](const std::string& text) { ports.note(text); });
    timing_.setUp();
}

HeadlessRace::~HeadlessRace() {
    program_.race.reset(); // the engine goes before the equipment it switches
}

RaceRunResult HeadlessRace::run(const RaceScript& script, int races, JournalWriter* journal,
                                int64_t haltAtMs, const RunObserver* observer,
                                const std::function<void(int64_t ms)>& pace) {
    engine_->setRecorder(journal);
    const RaceRunResult result =
        runRaces(*engine_, scheduler, script, races, &timing_, journal, haltAtMs, observer, pace);
    engine_->setRecorder(nullptr);
    return result;
}

} // namespace vexa
