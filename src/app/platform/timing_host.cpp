#include "platform/timing_host.h"

#include "program/program.h"

namespace vexa {

TimingHost::TimingHost(Program& program, QObject* parent)
    : QObject(parent), decoderPort_(comPorts_), controllerPort_(comPorts_) {
    comPorts_.load(program.home.root / ComPortMap::FileName);
}

EquipmentLinks TimingHost::links(Scheduler& scheduler, const Clock& clock, Operator& op,
                                 TimingView& view, SearchWindow& search) {
    return EquipmentLinks{scheduler, clock,           op,   decoderPort_,
                          socket_,   controllerPort_, view, search};
}

void TimingHost::serve(TimingStation& station) {
    CountingEquipment& equipment = station.equipment;
    decoderPort_.onBytes([this, &equipment](std::string_view bytes) {
        if (tap_) tap_(std::string(bytes));
        equipment.CommPortDriverReceiveData(bytes);
    });
    decoderPort_.onLost([&equipment] { equipment.decoderLinkLost(); });
    socket_.onBytes([this, &equipment](std::string_view bytes) {
        if (tap_) tap_(std::string(bytes));
        equipment.AMBClientSocketRead(bytes);
    });
    socket_.onError([&equipment] { equipment.AMBClientSocketError(); });
    socket_.onLost([&equipment] { equipment.decoderLinkLost(); });

    RcioController& controller = station.controller;
    controllerPort_.onBytes(
        [&controller](std::string_view bytes) { controller.rciocontrollerReceiveData(bytes); });
}

} // namespace vexa
