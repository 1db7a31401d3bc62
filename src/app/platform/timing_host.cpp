#include "platform/timing_host.h"

#include "program/program.h"

namespace vexa {

TimingHost::TimingHost(Program& program, Scheduler& scheduler, const Clock& clock, Operator& op,
                       TimingView& view, SearchWindow& search, QObject* parent)
    : QObject(parent), decoderPort_(comPorts_), controllerPort_(comPorts_),
      attachedRace_(program.race),
      station_(timingData(program, attachedRace_),
               EquipmentLinks{scheduler, clock, op, decoderPort_, socket_, controllerPort_, view,
                              search}) {
    comPorts_.load(program.home.root / ComPortMap::FileName);

    CountingEquipment& equipment = station_.equipment;
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

    RcioController& controller = station_.controller;
    controllerPort_.onBytes(
        [&controller](std::string_view bytes) { controller.rciocontrollerReceiveData(bytes); });
}

} // namespace vexa
