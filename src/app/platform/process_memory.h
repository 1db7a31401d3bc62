#pragma once

#include <cstddef>

namespace vexa {

// The memory of this process that is in RAM now, in bytes; 0 where the system does not say.
size_t residentMemoryBytes();

} // namespace vexa
