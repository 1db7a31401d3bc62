// The competitors file eventfile.qdd: read, written back and read again, every competitor is the
// same; text fields stay within their capacities.
#include "fuzz_check.h"
#include "input_file.h"

#include "files/event_files.h"

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::InputFile file("eventfile.qdd");
    const auto& path = file.write(data, size);

    EventData first;
    require(readCompetitors(path, first).ok, "an existing competitors file reads");
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = first.cpts[id];
        require(c.name.size() <= NameCapacity && c.memno.size() <= MemnoCapacity &&
                    c.picture.size() <= PictureCapacity,
                "text fields within their capacities");
        require(c.ownedFreqs().size() <= OwnedFreqCapacity, "at most 200 owned frequencies");
    }

    require(writeCompetitors(path, first).ok, "the competitors could be written");
    EventData second;
    require(readCompetitors(path, second).ok, "the written file reads");
    require(competitorsBytes(second) == competitorsBytes(first),
            "read, written and read again, the competitors are the same");
    return 0;
}
