#include "replay/headless_timing.h"

#include "program/program.h"
#include "race/hex_text.h"
#include "timing/counting_equipment.h"

namespace vexa {

bool ScriptSerialPort::open(int comNumber, const SerialParameters& parameters) {
    ports_.note(std::string(name_) + " port Com" + std::to_string(comNumber) + " open at " +
                std::to_string(parameters.baudRate) + " baud");
    open_ = true;
    return true;
}

void ScriptSerialPort::setRts(bool on) {
    ports_.note(std::string(name_) + (on ? " rts on" : " rts off"));
}

void ScriptSerialPort::write(const std::string& bytes) {
    if (open_) ports_.note(std::string(name_) + " sent " + hexPairs(bytes));
}

void ScriptSocket::open(const std::string& address, uint16_t) {
    ports_.note("decoder connection to " + address);
    host_ = address;
    active_ = true;
}

void ScriptSocket::write(const std::string& bytes) {
    if (active_) ports_.note("decoder sent " + hexPairs(bytes));
}

void ScriptTimingView::showCountingEquipment(const std::string& text) {
    ports_.note("counting equipment " + text);
}

void RecordedEquipment::TurnAmbOn(bool raceRunning) {
    ports_.TurnAmbOn(raceRunning);
    equipment_.TurnAmbOn(raceRunning);
}

void RecordedEquipment::TurnAmbOff() {
    ports_.TurnAmbOff();
    equipment_.TurnAmbOff();
}

HeadlessTiming::HeadlessTiming(Program& program, Scheduler& scheduler, const Clock& clock,
                               RecordingPorts& ports)
    : decoderPort_(ports, "decoder"), controllerPort_(ports, "controller"), socket_(ports),
      view_(ports), attachedRace_(program.race),
      station_(timingData(program, attachedRace_),
               EquipmentLinks{scheduler, clock, ports, decoderPort_, socket_, controllerPort_,
                              view_, view_}),
      recorded_(ports, station_.equipment) {}

void HeadlessTiming::equipmentAsJournaled(int device, int32_t decoderId) {
    station_.equipment.takeJournaledEquipment(countingDeviceFromSetting(device), decoderId);
}

void HeadlessTiming::receiveDecoderBytes(const std::string& bytes) {
    CountingEquipment& equipment = station_.equipment;
    if (equipment.linkOverTcp()) {
        if (socket_.active()) equipment.AMBClientSocketRead(bytes);
    } else if (decoderPort_.isOpen()) {
        equipment.CommPortDriverReceiveData(bytes);
    }
}

} // namespace vexa
