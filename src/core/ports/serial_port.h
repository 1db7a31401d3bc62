#pragma once

#include <string>

namespace vexa {

// Line settings of a serial port: always 8 data bits, no parity, no flow control, DTR not
// raised on open.
struct SerialParameters {
    int baudRate = 9600;
    int stopBits = 1; // 1 or 2
};

// A serial port of the PC ("Com 1".."Com 8"), for the decoder or the track controller. Received
// bytes are delivered by the platform as they arrive, to whatever the port was connected to.
class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // Opens COM `comNumber` (1..8); false when the port does not exist or cannot be opened.
    virtual bool open(int comNumber, const SerialParameters& parameters) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The RTS line; the state is kept while the port is closed and applied when it opens.
    virtual void setRts(bool on) = 0;
    // Writes when the port is open; does nothing otherwise.
    virtual void write(const std::string& bytes) = 0;
};

} // namespace vexa
