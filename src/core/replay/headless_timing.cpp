#include "replay/headless_timing.h"

#include "race/hex_text.h"

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

HeadlessTiming::HeadlessTiming(RecordingPorts& ports)
    : decoderPort_(ports, "decoder"), controllerPort_(ports, "controller"), socket_(ports),
      view_(ports) {}

EquipmentLinks HeadlessTiming::links(Scheduler& scheduler, const Clock& clock, Operator& op) {
    return EquipmentLinks{scheduler, clock,           op,    decoderPort_,
                          socket_,   controllerPort_, view_, view_};
}

void HeadlessTiming::equipmentAsJournaled(int device, int32_t decoderId) {
    if (equipment_)
        equipment_->takeJournaledEquipment(countingDeviceFromSetting(device), decoderId);
}

void HeadlessTiming::receiveDecoderBytes(const std::string& bytes) {
    if (!equipment_) return;
    if (equipment_->linkOverTcp()) {
        if (socket_.active()) equipment_->AMBClientSocketRead(bytes);
    } else if (decoderPort_.isOpen()) {
        equipment_->CommPortDriverReceiveData(bytes);
    }
}

} // namespace vexa
