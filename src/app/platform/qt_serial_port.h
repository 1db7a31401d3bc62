#pragma once

#include "platform/com_port_map.h"
#include "ports/serial_port.h"

#include <QObject>
#include <QSerialPort>

#include <functional>
#include <string>
#include <string_view>

namespace vexa {

// A serial port of the core on QSerialPort: 8 data bits, no parity, no flow control, DTR low.
// Received bytes are handed on as soon as Qt reports them. When the device disappears or the
// line hangs up while open (a USB adapter pulled out) the bytes still buffered are handed on,
// the port is closed and `onLost` is called.
class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
  public:
    explicit QtSerialPort(const ComPortMap& ports, QObject* parent = nullptr);
    ~QtSerialPort() override;

    void onBytes(std::function<void(std::string_view)> f) { onBytes_ = std::move(f); }
    void onLost(std::function<void()> f) { onLost_ = std::move(f); }

    bool open(int comNumber, const SerialParameters& parameters) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void setRts(bool on) override;
    void write(const std::string& bytes) override;

    QString deviceName() const { return port_.portName(); }

  private:
    void readAvailable();
    void portError(QSerialPort::SerialPortError error);

    const ComPortMap& ports_;
    QSerialPort port_;
    bool rts_ = false;
    std::function<void(std::string_view)> onBytes_;
    std::function<void()> onLost_;
};

} // namespace vexa
