// "Import from CSV File": every imported competitor's fields lie within their ranges, and the
// event holding them is saved and read back unchanged.
#include "fuzz_check.h"
#include "input_file.h"

#include "files/csv_import.h"
#include "files/event_files.h"

#include <algorithm>

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::InputFile file("drivers.csv");
    const auto& path = file.write(data, size);

    EventData event;
    const CsvImportResult imported = importCsvFile(path, event);
    require(imported.ids.size() <= CsvLinesRead, "at most 300 lines are read");
    require(imported.message == csvImportMessage(static_cast<int>(imported.ids.size())),
            "the message counts the drivers added");
    for (const int id : imported.ids) {
        require(validId(id), "an imported competitor has a valid Id");
        const comp_ent& c = event.cpts[id];
        require(c.inUse() && c.isEnabled(), "an imported competitor is in use and enabled");
        require(c.name.size() <= NameCapacity && c.memno.size() <= MemnoCapacity,
                "name and membership number within their capacities");
        require(c.classno >= 0 && c.classno < MaxClasses, "class 0..30");
        require(c.ability >= 0 && c.ability <= 100, "ability 0..100");
        require(c.transponder >= 0 && c.transponder <= 9999999, "transponder 0..9999999");
        const std::vector<int> owned = c.ownedFreqs();
        require(std::is_sorted(owned.begin(), owned.end()) &&
                    std::adjacent_find(owned.begin(), owned.end()) == owned.end(),
                "owned frequencies ascending without repeats");
        for (const int f : owned) require(f >= 1 && f <= MaxFrequencies, "frequency 1..200");
    }

    const auto competitors = file.folder() / "eventfile.qdd";
    require(writeCompetitors(competitors, event).ok, "the competitors could be written");
    EventData back;
    require(readCompetitors(competitors, back).ok, "the written competitors read");
    require(competitorsBytes(back) == competitorsBytes(event),
            "imported competitors are saved and read back unchanged");
    return 0;
}
