// The settings file vexa.ini: loaded, saved over itself and loaded again, the settings are the
// same; values are held in the ranges the program allows.
#include "fuzz_check.h"
#include "input_file.h"

#include "files/settings_file.h"

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::InputFile file("vexa.ini");
    const auto& path = file.write(data, size);

    ProgSettings first;
    loadSettingsFile(path, first);
    require(first.countDevice >= 0 && first.countDevice <= 3, "count device 0..3");
    require(first.lowestHits >= 0 && first.lowestHits < 50, "lowest hits 0..49");
    require(first.staggerGap >= 1000 && first.staggerGap <= 3000, "stagger gap 1000..3000 ms");
    require(first.countBeeps >= 2 && first.countBeeps <= 10, "count beeps 2..10");
    require(first.livePort >= 1 && first.livePort <= 65535, "live results port 1..65535");
    for (const ClassSetup& c : first.classes)
        require(c.name.size() <= ClassNameCapacity, "class names within 20 characters");
    (void)first.trackLengthMiles();
    (void)first.trapGapMiles();

    require(saveSettingsFile(path, first).ok, "the settings could be saved");
    ProgSettings second;
    loadSettingsFile(path, second);
    require(second == first, "loaded, saved and loaded again, the settings are the same");
    return 0;
}
