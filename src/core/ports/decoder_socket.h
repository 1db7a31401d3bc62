#pragma once

#include <cstdint>
#include <string>

namespace vexa {

// The TCP client connection to a decoder (AMBrc or P3). Opening starts connecting to the address
// text ("host" on `defaultPort`, or "host:port"); received bytes and errors are delivered by the
// platform as they happen. Bytes written while it is still connecting are sent once it is.
class DecoderSocket {
  public:
    virtual ~DecoderSocket() = default;
    virtual void open(const std::string& address, uint16_t defaultPort) = 0;
    virtual void close() = 0;
    // From open until close or a failure: connecting or connected.
    virtual bool active() const = 0;
    // The address text given to open.
    virtual std::string host() const = 0;
    virtual void write(const std::string& bytes) = 0;
};

} // namespace vexa
