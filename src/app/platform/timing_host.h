#pragma once

#include "platform/com_port_map.h"
#include "platform/qt_decoder_socket.h"
#include "platform/qt_serial_port.h"
#include "program/attached_race.h"
#include "timing/timing_station.h"

#include <QObject>

#include <functional>
#include <string>

namespace vexa {

struct Program;
class Operator;
class Scheduler;
class Clock;
class TimingView;
class SearchWindow;

// The timing equipment on real links: the decoder's serial port and TCP connection and the
// track controller's serial port, each delivering its bytes to the core as they arrive.
// The station's `equipment` and `controller` are the race engine's TimingEquipment and
// TrackController; once the engine is attached, `station().equipment.Setupcountingequipment()`
// finds the decoder.
class TimingHost : public QObject {
    Q_OBJECT
  public:
    TimingHost(Program& program, Scheduler& scheduler, const Clock& clock, Operator& op,
               TimingView& view, SearchWindow& search, QObject* parent = nullptr);

    // "Com 1".."Com 8": read from the program home's "comports.ini" at creation.
    ComPortMap& comPorts() { return comPorts_; }
    TimingStation& station() { return station_; }
    QtSerialPort& decoderPort() { return decoderPort_; }
    QtSerialPort& controllerPort() { return controllerPort_; }
    QtDecoderSocket& socket() { return socket_; }
    // Sees the decoder's bytes from either link before the counting equipment does.
    void onDecoderBytes(std::function<void(const std::string&)> tap) { tap_ = std::move(tap); }

  private:
    ComPortMap comPorts_;
    QtSerialPort decoderPort_;
    QtSerialPort controllerPort_;
    QtDecoderSocket socket_;
    AttachedRace attachedRace_;
    TimingStation station_;
    std::function<void(const std::string&)> tap_;
};

} // namespace vexa
