// The event settings file eventfile.qmf: read, written back and read again, the settings stay
// the same; the values are held in the ranges the settings screen allows.
#include "fuzz_check.h"
#include "input_file.h"

#include "files/event_files.h"
#include "model/limits.h"

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::InputFile file("eventfile.qmf");
    const auto& path = file.write(data, size);

    ProgSettings first;
    readEventSettings(path, first);
    require(first.raceNumber >= 1 && first.raceNumber <= MaxRaces, "race number in 1..50");
    require(first.roundNumber >= 1 && first.roundNumber <= MaxRounds, "round number in 1..20");
    require(first.eventTitle.size() <= TitleCapacity, "title within its capacity");
    (void)first.trackLengthMiles();

    require(writeEventSettings(path, first).ok, "the settings could be written");
    ProgSettings second;
    readEventSettings(path, second);
    require(eventSettingsBytes(second) == eventSettingsBytes(first),
            "read, written and read again, the event settings are the same");
    return 0;
}
