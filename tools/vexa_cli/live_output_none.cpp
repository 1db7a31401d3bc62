#include "live_output.h"

#include <ostream>

namespace vexa::cli {

std::unique_ptr<HeadlessLive> startHeadlessLive(const std::string&, double, const LiveSources&,
                                                std::ostream& err) {
    err << "vexa-cli race: --live needs vexa-cli built with the program (Qt)\n";
    return nullptr;
}

} // namespace vexa::cli
