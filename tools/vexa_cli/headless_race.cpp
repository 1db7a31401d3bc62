#include "headless_race.h"

#include "terminal_text.h"

#include <ostream>

namespace vexa::cli {

HeadlessRace::HeadlessRace(Program& program, std::ostream* echo,
                           std::optional<std::filesystem::path> printDir, RaceView* view)
    : program_(program), timing_(program, scheduler, clock, ports) {
    if (echo)
        ports.echo = [echo](const PortEvent& e) {
            *echo << terminalText(formatPortEvent(e)) << "\n";
        };
    RaceOutputs* outputs = &ports;
    if (printDir) outputs = &outputs_.emplace(program, scheduler, ports, *printDir);
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

} // namespace vexa::cli
