#pragma once

#include <cstdint>

namespace vexa {

// The equipment that counts the laps; the numbers are the settings file's "COUNTDEVICE" values.
enum class CountingDevice : int {
    Manual = 0,   // the keys
    System20 = 1, // AMB System 20 on a serial port (EX20 and the Italian system too)
    Ambrc = 2,    // AMBrc on a serial port or over TCP
    P3 = 3,       // a decoder speaking binary P3 records over TCP (RC4 family, ProChip)
};

// The device a settings value names; values of no device mean manual counting.
constexpr CountingDevice countingDeviceFromSetting(int value) {
    return value == 1   ? CountingDevice::System20
           : value == 2 ? CountingDevice::Ambrc
           : value == 3 ? CountingDevice::P3
                        : CountingDevice::Manual;
}
constexpr int settingOf(CountingDevice device) {
    return static_cast<int>(device);
}
// Whether the device is a decoder (anything but the keys).
constexpr bool isDecoder(CountingDevice device) {
    return device != CountingDevice::Manual;
}
// AMBrc and P3 decoders report transponder passings with times of their own clock: they are on
// for booking in until the countdown's last second, feed the speed trap, and their races go into
// the upload file.
constexpr bool countsLikeAmbrc(CountingDevice device) {
    return device == CountingDevice::Ambrc || device == CountingDevice::P3;
}

// The counting equipment (a decoder on a serial port or over TCP, or none for manual counting),
// seen from the race engine. The equipment owns `CountDevice`, the device in use; the engine
// keeps the race clock and the manual keys itself and calls these for the equipment's own part
// of switching on and off: the monitor mode, the RTS lines and the decoder's start and stop
// commands.
//
// Passings come back the other way: the decoder record parser finds the entrant
// (RaceEngine::findCarNumber / findTransponder, or RaceEngine::AddDriver for an unknown car)
// and calls RaceEngine::sortCarPass (RaceEngine::sortRecordedPass for a P3 passing, whose time
// is the decoder's own record of the crossing). Records are for the engine only while
// RaceEngine::acceptsPassings() is true (booking in or race running).
// The counting equipment in use as a race journal keeps it: the device, and the AMBrc decoder's
// id (0 for any other device).
struct EquipmentInUse {
    CountingDevice device = CountingDevice::Manual;
    int32_t decoderId = 0;
};

class TimingEquipment {
  public:
    virtual ~TimingEquipment() = default;
    // The device counting now: the one chosen, or manual after a fall-back.
    virtual CountingDevice countDevice() const = 0;
    // Switched on at the race set-up point of the countdown (a decoder, for booking in) and at
    // the start of a race. `raceRunning` tells the two apart.
    virtual void TurnAmbOn(bool raceRunning) = 0;
    // Switched off at the end of a race, at a restart and just before the start.
    virtual void TurnAmbOff() = 0;
};

} // namespace vexa
