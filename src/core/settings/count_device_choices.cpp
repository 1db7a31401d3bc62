#include "settings/count_device_choices.h"

namespace vexa {

static_assert(AddressPortEntry == SerialPortEntries);

namespace {

// One line per device.
constexpr CountDeviceChoice Choices[] = {
    {CountingDevice::Manual, "Manual(Keyboard)", DevicePorts::None, false, false, false},
    {CountingDevice::System20, "AMB System 20 (Serial)", DevicePorts::Serial, true, false, false},
    {CountingDevice::Ambrc, "AMBrc (Serial)", DevicePorts::SerialOrAddress, false, true, true},
    {CountingDevice::P3, P3DeviceCaption, DevicePorts::Address, false, true, true},
};

} // namespace

std::span<const CountDeviceChoice> countDeviceChoices() {
    return Choices;
}

const CountDeviceChoice& countDeviceChoice(CountingDevice device) {
    for (const CountDeviceChoice& choice : Choices)
        if (choice.device == device) return choice;
    return Choices[0];
}

DeviceLayout deviceLayout(const CountDeviceChoice& choice, int portEntry) {
    DeviceLayout layout{};
    layout.extendedMode = choice.extendedMode;
    layout.speedTrap = choice.speedTrap;
    layout.transponderPage = choice.transponderSets;
    layout.testPage = choice.ports != DevicePorts::None;
    layout.portEntry = portEntry;
    switch (choice.ports) {
    case DevicePorts::None:
        break;
    case DevicePorts::Serial:
        layout.portList = true;
        layout.addressEntry = false;
        if (portEntry < 0 || portEntry >= SerialPortEntries) layout.portEntry = 0;
        break;
    case DevicePorts::SerialOrAddress:
        layout.portList = true;
        layout.addressEntry = true;
        if (portEntry < 0 || portEntry > AddressPortEntry) layout.portEntry = 0;
        layout.addressField = layout.portEntry == AddressPortEntry;
        break;
    case DevicePorts::Address:
        layout.addressEntry = true;
        layout.addressField = true;
        layout.portEntry = AddressPortEntry;
        break;
    }
    return layout;
}

} // namespace vexa
