#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vexa {

// Bytes of a decoder link as they would have arrived at `ms` of the clock.
struct TimedBytes {
    int64_t ms = 0;
    std::string bytes;
};

// A decoder that keeps its passings (P3) and can send again those a race resumed from its
// journal missed while the program was stopped. While it is asked, what the link brings is set
// aside (the race stands where its journal left it); taken, each passing comes with the moment
// it was made on the race's clock, to be handed to the race in its place.
class MissedPassings {
  public:
    virtual ~MissedPassings() = default;
    // Asks for the passings numbered after the last one the race has; `journalNow` gives the
    // clock's moment now as the journal counts time. False when the decoder cannot be asked (not
    // a P3 decoder on an open link, or no passing to go on from).
    virtual bool askForMissedPassings(std::function<int64_t()> journalNow) = 0;
    // How many passings have come since it was asked.
    virtual size_t missedPassingsCome() const = 0;
    // Stops setting aside: the passings that came, in the order they were made, each at its
    // moment, none before `notBeforeMs` nor after `notAfterMs`.
    virtual std::vector<TimedBytes> takeMissedPassings(int64_t notBeforeMs, int64_t notAfterMs) = 0;
};

} // namespace vexa
