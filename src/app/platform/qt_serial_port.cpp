#include "platform/qt_serial_port.h"

namespace vexa {

QtSerialPort::QtSerialPort(const ComPortMap& ports, QObject* parent)
    : QObject(parent), ports_(ports) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::readAvailable);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::portError);
}

QtSerialPort::~QtSerialPort() {
    port_.disconnect(this);
    if (port_.isOpen()) port_.close();
}

bool QtSerialPort::open(int comNumber, const SerialParameters& parameters) {
    if (port_.isOpen()) port_.close();
    const QString device = ports_.device(comNumber);
    if (device.isEmpty()) return false;
    port_.setPortName(device);
    port_.setBaudRate(parameters.baudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(parameters.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        port_.clearError();
        return false;
    }
    // Lines a device may not have (a pseudo-terminal has none) are not worth an error.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(rts_);
    port_.clearError();
    return true;
}

void QtSerialPort::close() {
    if (!port_.isOpen()) return;
    port_.flush();
    port_.close();
}

void QtSerialPort::setRts(bool on) {
    rts_ = on;
    if (port_.isOpen()) {
        port_.setRequestToSend(on);
        port_.clearError();
    }
}

void QtSerialPort::write(const std::string& bytes) {
    if (port_.isOpen()) port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtSerialPort::readAvailable() {
    const QByteArray data = port_.readAll();
    if (!data.isEmpty() && onBytes_)
        onBytes_(std::string_view(data.constData(), static_cast<size_t>(data.size())));
}

void QtSerialPort::portError(QSerialPort::SerialPortError error) {
    // A device that vanished reports a resource error; a hung-up line (a pseudo-terminal whose
    // other end closed) reports read errors, again and again while the port stays open.
    if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) || !port_.isOpen())
        return;
    readAvailable();
    port_.close();
    port_.clearError();
    if (onLost_) onLost_();
}

} // namespace vexa
