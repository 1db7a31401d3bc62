#include "replay/headless_race.h"

namespace vexa {

namespace {

RaceOutputs& chosenOutputs(const HeadlessRace::OutputsMaker& make, Scheduler& scheduler,
                           RecordingPorts& ports) {
    return make ? make(scheduler, ports) : ports;
}

RecordingPorts& echoed(RecordingPorts& ports, HeadlessRace::Echo echo) {
    if (echo) ports.echo = std::move(echo);
    return ports;
}

} // namespace

HeadlessRace::HeadlessRace(Program& program, Echo echo, const OutputsMaker& makeOutputs,
                           RaceView* view)
    : timing_(echoed(ports, std::move(echo))),
      station_(buildRaceStation(program, StationPorts{clock, scheduler, ports, ports,
                                                      chosenOutputs(makeOutputs, scheduler, ports),
                                                      view, timing_.links(scheduler, clock, ports),
                                                      &timing_, &ports, &ports})) {
    timing_.feed(station_->equipment());
    engine().setDiagnostics([this](const std::string& text) { ports.note(text); });
    station_->equipment().Setupcountingequipment();
}

HeadlessRace::~HeadlessRace() = default;

RaceRunResult HeadlessRace::run(const RaceScript& script, int races, JournalWriter* journal,
                                int64_t haltAtMs, const RunObserver* observer,
                                const std::function<void(int64_t ms)>& pace) {
    station_->record(journal);
    const RaceRunResult result =
        runRaces(engine(), scheduler, script, races, &timing_, journal, haltAtMs, observer, pace);
    station_->record(nullptr);
    return result;
}

} // namespace vexa
