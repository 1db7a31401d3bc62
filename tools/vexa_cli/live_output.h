#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

namespace vexa {
class RaceView;
struct LiveSources;
} // namespace vexa

namespace vexa::cli {

// The live results and the scoreboard feed served while `vexa-cli race --live` or `--scoreboard`
// runs: the same pages, feed and event stream, and the same scoreboard records, as the program,
// with the race following real time `speed` times faster.
class HeadlessLive {
  public:
    virtual ~HeadlessLive() = default;
    // The engine's screens: the server follows their notices.
    virtual RaceView& view() = 0;
    // Serves until the virtual moment `ms` (since the race screen opened) has come in real time.
    virtual void waitUntil(int64_t ms) = 0;
    // Sends what is still waiting to the clients.
    virtual void flush() = 0;
};

// Where to serve: "ADDRESS:PORT" ("127.0.0.1:8080", "[::1]:8080", ":8080" for every interface;
// port 0 takes a free one); empty: not served.
struct HeadlessLiveAddresses {
    std::string live;
    std::string scoreboard;
};

// Listens where asked and says on `err` where the page and the feed are; nothing (after saying
// why) when it cannot, or when this build has no server.
std::unique_ptr<HeadlessLive> startHeadlessLive(const HeadlessLiveAddresses& addresses,
                                                double speed, const LiveSources& sources,
                                                std::ostream& err);

} // namespace vexa::cli
