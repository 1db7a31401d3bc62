#pragma once

#include "ports/timing_equipment.h"

#include <optional>
#include <span>

namespace vexa {

// How a counting device is reached: nothing (the keys), a serial port of the list "Com 1" ..
// "Com 8", either of those or the list's ninth entry "IP Address" (TCP to the address typed in
// `ambrcIPED`), or that address only.
enum class DevicePorts { None, Serial, SerialOrAddress, Address };

// One choice of "Count Device" on the settings window and the controls it brings.
struct CountDeviceChoice {
    CountingDevice device;
    const char* caption;
    DevicePorts ports;
    bool extendedMode;    // the "EX20" box
    bool transponderSets; // the "Transponders" page
    bool speedTrap;       // the "Speed Trap" group
};

// The P3 decoder's name where the equipment is chosen.
inline constexpr const char* P3DeviceCaption = "P3 (TCP)";

// The choices in the order the window lists them.
std::span<const CountDeviceChoice> countDeviceChoices();
// The choice of a device; manual counting for a device the list does not hold.
const CountDeviceChoice& countDeviceChoice(CountingDevice device);

// The entries of the decoder port list: "Com 1" .. "Com 8", then "IP Address".
inline constexpr int SerialPortEntries = 8;
inline constexpr int AddressPortEntry = 8;
inline constexpr const char* AddressPortEntryCaption = "IP Address";

// What the "Count Method" group shows for a choice with a port entry selected (-1 for none).
struct DeviceLayout {
    bool portList; // `portlb` and `countdevicecomcb`
    // Whether the list holds "IP Address" as its ninth entry; nothing: the list stays as it is.
    std::optional<bool> addressEntry;
    bool addressField;    // `ambrcIPED`
    bool extendedMode;    // `Extendeds20`
    bool speedTrap;       // the "Speed Trap" group
    bool transponderPage; // "Transponders"
    bool testPage;        // "Transponder Test"
    int portEntry;        // the entry to select: a decoder always has one
};
DeviceLayout deviceLayout(const CountDeviceChoice& choice, int portEntry);

} // namespace vexa
