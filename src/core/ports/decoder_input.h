#pragma once

#include <cstdint>
#include <string>

namespace vexa {

// The receiving end of the decoder link: bytes exactly as they came from the serial port or the
// socket, in arrival order. The decoder record parsers implement it and hand each passing to the
// race engine.
class DecoderInput {
  public:
    virtual ~DecoderInput() = default;
    virtual void receiveDecoderBytes(const std::string& bytes) = 0;
    // The counting equipment a race was counted with, as its journal kept it when the race's
    // countdown opened (`device` the setting's number, `decoderId` the AMBrc decoder's id): a race
    // run again from its journal is counted by the same equipment, without asking the decoder.
    virtual void equipmentAsJournaled(int device, int32_t decoderId) = 0;
};

} // namespace vexa
