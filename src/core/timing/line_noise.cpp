#include "timing/line_noise.h"

namespace vexa {

RecordInLine findRecordInLine(std::string_view line, char startByte, size_t shortest) {
    size_t start = std::string_view::npos;
    for (size_t at = line.size(); at-- > 0;) {
        if (line[at] != startByte) continue;
        if (start == std::string_view::npos) start = at;
        if (line.size() - at >= shortest) {
            start = at;
            break;
        }
    }
    if (start == std::string_view::npos) return {{}, line.size()};
    return {line.substr(start), start};
}

void NoiseTally::dropped(size_t bytes) {
    if (bytes == 0) return;
    droppedBytes_ += bytes;
    if (inRun_) return;
    inRun_ = true;
    ++runs_;
    if (tell_) tell_();
}

} // namespace vexa
