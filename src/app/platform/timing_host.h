#pragma once

#include "platform/com_port_map.h"
#include "platform/qt_decoder_socket.h"
#include "platform/qt_serial_port.h"
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

// The real links of the timing equipment: the decoder's serial port and TCP connection and the
// track controller's serial port. Once the equipment is made on them (`links`), `serve` has each
// deliver its bytes to it as they arrive.
class TimingHost : public QObject {
    Q_OBJECT
  public:
    explicit TimingHost(Program& program, QObject* parent = nullptr);

    EquipmentLinks links(Scheduler& scheduler, const Clock& clock, Operator& op, TimingView& view,
                         SearchWindow& search);
    void serve(TimingStation& station);
    // "Com 1".."Com 8": read from the program home's "comports.ini" at creation.
    ComPortMap& comPorts() { return comPorts_; }
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
    std::function<void(const std::string&)> tap_;
};

} // namespace vexa
