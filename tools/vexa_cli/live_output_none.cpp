#include "live_output.h"

#include <ostream>

namespace vexa::cli {

std::unique_ptr<HeadlessLive> startHeadlessLive(const HeadlessLiveAddresses&, double,
                                                const LiveSources&, std::ostream& err) {
    err << "vexa-cli race: --live and --scoreboard need vexa-cli built with the program (Qt)\n";
    return nullptr;
}

} // namespace vexa::cli
