#pragma once

#include "timing/counting_equipment.h"
#include "timing/rcio_controller.h"

namespace vexa {

// The timing equipment of the race screen put together: the counting equipment on the decoder
// link and the track controller on its port, with the controller's lines offered to a second
// decoder. Give `equipment` and `controller` to the race engine's ports.
struct TimingStation {
    TimingStation(const TimingData& data, const EquipmentLinks& links)
        : equipment(data, links), controller(data.settings, links.controllerPort, links.view) {
        controller.setSecondDecoder(
            [this](std::string_view line) { equipment.controllerLine(line); });
    }
    TimingStation(const TimingStation&) = delete;
    TimingStation& operator=(const TimingStation&) = delete;

    CountingEquipment equipment;
    RcioController controller;
};

} // namespace vexa
