#include "live_output.h"

#include <ostream>

namespace vexa::cli {

std::unique_ptr<HeadlessLive> startHeadlessLive(const HeadlessLiveAddresses& addresses, double,
                                                const LiveSources&, std::ostream& err) {
    // Each option asked for is named, so a script learns which one this build cannot serve.
    for (const auto& [option, address] :
         {std::pair{"--live", &addresses.live}, std::pair{"--scoreboard", &addresses.scoreboard}})
        if (!address->empty())
            err << "vexa-cli race: " << option << " needs vexa-cli built with the program (Qt)\n";
    return nullptr;
}

} // namespace vexa::cli
