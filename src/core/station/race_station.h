#pragma once

#include "journal/race_inputs.h"
#include "program/attached_race.h"
#include "program/program.h"
#include "timing/timing_station.h"

#include <memory>

namespace vexa {

class JournalWriter;

// What a race station is built on: the time, the operator and the outputs of the race engine,
// and the links of the timing equipment. A headless run gives a transcript too: it sees every
// switching of the equipment (`switchWatcher`), and it stands in for the track controller
// (`controller`); the program gives neither.
struct StationPorts {
    Clock& clock;
    Scheduler& scheduler;
    SoundOut& sound;
    Operator& op;
    RaceOutputs& outputs;
    RaceView* view;
    EquipmentLinks links;
    // The decoder bytes of a replayed or scripted race go here (the race inputs' decoder).
    DecoderInput* decoder = nullptr;
    TimingEquipment* switchWatcher = nullptr;
    TrackController* controller = nullptr;
};

// The counting equipment as the race engine switches it, with whoever watches the switching.
class SwitchedEquipment : public TimingEquipment {
  public:
    SwitchedEquipment(TimingEquipment& equipment, TimingEquipment* watcher)
        : equipment_(equipment), watcher_(watcher) {}
    CountingDevice countDevice() const override { return equipment_.countDevice(); }
    void TurnAmbOn(bool raceRunning) override;
    void TurnAmbOff() override;

  private:
    TimingEquipment& equipment_;
    TimingEquipment* watcher_;
};

// One race station: the race engine, the counting equipment and the track controller
// (`TimingStation`), the race inputs and the journal they write, made together by
// `buildRaceStation`. The engine is the program's (`Program::race`) while the station stands;
// it goes before the equipment it switches.
class RaceStation {
  public:
    RaceStation(Program& program, const StationPorts& ports);
    ~RaceStation();
    RaceStation(const RaceStation&) = delete;
    RaceStation& operator=(const RaceStation&) = delete;

    RaceEngine& engine() { return engine_; }
    TimingStation& timing() { return timing_; }
    CountingEquipment& equipment() { return timing_.equipment; }
    RcioController& controller() { return timing_.controller; }
    RaceInputs& inputs() { return inputs_; }
    // The journal the engine and the inputs write from now on, or none.
    void record(JournalWriter* journal);

  private:
    Program& program_;
    AttachedRace race_;
    TimingStation timing_;
    SwitchedEquipment switched_;
    RaceEngine& engine_;
    RaceInputs inputs_;
};

// Builds the race station of the program on its ports.
std::unique_ptr<RaceStation> buildRaceStation(Program& program, const StationPorts& ports);

} // namespace vexa
