#pragma once

#include <QString>

#include <array>
#include <filesystem>

namespace vexa {

// Which device each of the ports "Com 1".."Com 8" is. On Windows they are COM1..COM8; elsewhere
// they default to /dev/ttyS0../dev/ttyS7 and are usually set to the USB adapters in the file
// "comports.ini" of the program home:
//
//     [PORTS]
//     COM1=/dev/ttyUSB0
//     COM2=/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0
class ComPortMap {
  public:
    static constexpr int Ports = 8;
    static constexpr const char* FileName = "comports.ini";

    ComPortMap();
    // Reads the settings of the file; a missing file or key keeps the default.
    void load(const std::filesystem::path& file);

    // The device of COM n (1..8); empty for any other n.
    QString device(int com) const;
    void setDevice(int com, const QString& device);

  private:
    std::array<QString, Ports + 1> devices_;
};

} // namespace vexa
