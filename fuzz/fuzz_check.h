#pragma once

#include <cstdio>
#include <cstdlib>

namespace vexa::fuzz {

// A property a target checks besides not crashing. A broken one aborts, so libFuzzer keeps the
// input as a crash like any other finding.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace vexa::fuzz
