#include "station/race_station.h"

namespace vexa {

void SwitchedEquipment::TurnAmbOn(bool raceRunning) {
    if (watcher_) watcher_->TurnAmbOn(raceRunning);
    equipment_.TurnAmbOn(raceRunning);
}

void SwitchedEquipment::TurnAmbOff() {
    if (watcher_) watcher_->TurnAmbOff();
    equipment_.TurnAmbOff();
}

RaceStation::RaceStation(Program& program, const StationPorts& ports)
    : program_(program), race_(program.race), timing_(timingData(program, race_), ports.links),
      switched_(timing_.equipment, ports.switchWatcher), replayed_(timing_.equipment),
      engine_(attachRaceEngine(
          program, RacePorts{ports.clock, ports.scheduler, ports.sound, ports.op,
                             ports.switchWatcher ? static_cast<TimingEquipment&>(switched_)
                                                 : timing_.equipment,
                             ports.controller ? *ports.controller : timing_.controller,
                             ports.outputs, ports.view})),
      inputs_(engine_, ports.decoder ? ports.decoder : &replayed_, &ports.op) {}

RaceStation::~RaceStation() {
    program_.race.reset(); // the engine goes before the equipment it switches
}

void RaceStation::record(JournalWriter* journal) {
    engine_.setRecorder(journal);
    inputs_.setJournal(journal);
}

std::unique_ptr<RaceStation> buildRaceStation(Program& program, const StationPorts& ports) {
    return std::make_unique<RaceStation>(program, ports);
}

} // namespace vexa
