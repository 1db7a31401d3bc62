// The results file eventfile.qrf: read, written back and read again, every result is the same;
// each competitor's best round is one of his rounds with a result.
#include "fuzz_check.h"
#include "input_file.h"

#include "files/event_files.h"

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::InputFile file("eventfile.qrf");
    const auto& path = file.write(data, size);

    EventData first;
    readResults(path, first);
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const int best = BestRound(first, id, 1, MaxRounds);
        require(best == 0 || (validRound(best) && first.cptres[id].hasResult(best)),
                "the best round is a round with a result");
    }

    require(writeResults(path, first).ok, "the results could be written");
    EventData second;
    readResults(path, second);
    require(resultsBytes(second) == resultsBytes(first),
            "read, written and read again, the results are the same");
    return 0;
}
