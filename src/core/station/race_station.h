#pragma once

#include "journal/race_inputs.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "station/attached_race.h"
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
    // The decoder bytes of a scripted race go here (the race inputs' decoder); by default those
    // of a race replayed from its journal go to the station's counting equipment.
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

// The decoder records of a race replayed from its journal, to the counting equipment, which
// counts them as the equipment the journal kept.
class ReplayedDecoder : public DecoderInput {
  public:
    explicit ReplayedDecoder(CountingEquipment& equipment) : equipment_(equipment) {}
    void receiveDecoderBytes(const std::string& bytes) override { equipment_.replayedBytes(bytes); }
    void equipmentAsJournaled(int device, int32_t decoderId) override {
        equipment_.takeJournaledEquipment(countingDeviceFromSetting(device), decoderId);
    }

  private:
    CountingEquipment& equipment_;
};

// What the race engine works on: the program's settings and open event, and its drivers'
// pictures.
RaceData raceData(Program& program);

// One race station: the race engine, the counting equipment and the track controller
// (`TimingStation`), the race inputs and the journal they write, made together by
// `buildRaceStation`. The station owns them all; the engine goes before the equipment it
// switches.
class RaceStation {
  public:
    RaceStation(Program& program, const StationPorts& ports);
    ~RaceStation();
    RaceStation(const RaceStation&) = delete;
    RaceStation& operator=(const RaceStation&) = delete;

    RaceEngine& engine() { return *engine_; }
    const RaceEngine& engine() const { return *engine_; }
    TimingStation& timing() { return timing_; }
    CountingEquipment& equipment() { return timing_.equipment; }
    RcioController& controller() { return timing_.controller; }
    RaceInputs& inputs() { return inputs_; }
    // The journal the engine and the inputs write from now on, or none.
    void record(JournalWriter* journal);

  private:
    RaceEngine* attached_ = nullptr; // the engine while it stands
    AttachedRace race_;              // the engine as the equipment meets it
    TimingStation timing_;
    SwitchedEquipment switched_;
    ReplayedDecoder replayed_;
    std::unique_ptr<RaceEngine> engine_; // after the equipment: it goes first
    RaceInputs inputs_;
};

// Builds the race station of the program on its ports.
std::unique_ptr<RaceStation> buildRaceStation(Program& program, const StationPorts& ports);

} // namespace vexa
