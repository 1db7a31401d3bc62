#pragma once

#include <cstdint>

namespace vexa {

// A millisecond tick count. The race clock is measured against it; nothing in the core reads the
// wall clock any other way.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t milliseconds() const = 0;
};

} // namespace vexa
