#pragma once

#include <string>

namespace vexa {

// The receiving end of the decoder link: bytes exactly as they came from the serial port or the
// socket, in arrival order. The decoder record parsers implement it and hand each passing to the
// race engine.
class DecoderInput {
  public:
    virtual ~DecoderInput() = default;
    virtual void receiveDecoderBytes(const std::string& bytes) = 0;
};

} // namespace vexa
