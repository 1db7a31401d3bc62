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

RaceData raceData(Program& program) {
    return {program.settings, program.event, program.paths, program.home.driverPicsDir()};
}

RaceStation::RaceStation(Program& program, const StationPorts& ports)
    : race_(attached_), timing_(TimingData{program.settings, program.event, race_}, ports.links),
      switched_(timing_.equipment, ports.switchWatcher), replayed_(timing_.equipment),
      engine_(std::make_unique<RaceEngine>(
          raceData(program),
          RacePorts{ports.clock, ports.scheduler, ports.sound, ports.op,
                    ports.switchWatcher ? static_cast<TimingEquipment&>(switched_)
                                        : timing_.equipment,
                    ports.controller ? *ports.controller : timing_.controller, ports.outputs,
                    ports.view})),
      inputs_(*engine_, ports.decoder ? ports.decoder : &replayed_, &ports.op) {
    attached_ = engine_.get();
}

RaceStation::~RaceStation() {
    attached_ = nullptr;
    engine_.reset(); // the engine goes before the equipment it switches
}

void RaceStation::record(JournalWriter* journal) {
    engine_->setRecorder(journal);
    inputs_.setJournal(journal);
}

std::unique_ptr<RaceStation> buildRaceStation(Program& program, const StationPorts& ports) {
    return std::make_unique<RaceStation>(program, ports);
}

} // namespace vexa
