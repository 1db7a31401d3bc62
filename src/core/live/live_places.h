#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// A client's place at the live results server as the sharing rule sees it.
struct LivePlace {
    std::string address; // the client's network address
    // Waiting for a request (none begun since the connection opened or its last answer, or one
    // begun and not whole yet); otherwise being answered or following the event stream.
    bool waiting = false;
    int64_t since = 0; // ms: when it began to wait, or when it opened
};

// The place a newcomer from `address` takes when every place is taken, or nothing: it is refused.
// While places are free any address may take them (a club's access point may show every phone
// under one address); once all are taken, they are shared between the addresses:
// - a waiting place of the address that holds the most places, as long as it holds at least as
//   many as the newcomer's, gives way: the one that has waited longest (a request trickled in
//   byte by byte, or a connection kept open for nothing);
// - otherwise the oldest place of the address that holds the most gives way, when that address
//   holds more than the newcomer's would with the newcomer;
// - otherwise the newcomer is refused.
std::optional<size_t> placeToFree(const std::vector<LivePlace>& places, std::string_view address);

} // namespace vexa
