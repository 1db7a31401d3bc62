// The racing table files eventfile.qht and eventfile.qft: read, written back and read again, the
// table is the same; every slot's competitor Id is valid or none.
#include "fuzz_check.h"
#include "input_file.h"

#include "files/event_files.h"

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::InputFile file("eventfile.qht");
    const auto& path = file.write(data, size);

    // A table of an event, as the program holds it (clang 14 cannot compile a RacingTable as a
    // local variable of its own).
    EventData event;
    RacingTable& first = event.heats;
    readTable(path, first);
    for (int race = 1; race <= MaxRaces; ++race)
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            require(first.slotText(race, slot).size() <= CellCapacity, "cells within 6 characters");
            const int id = first.idAt(race, slot);
            require(id == 0 || validId(id), "a slot names a valid Id or none");
        }

    require(writeTable(path, first).ok, "the table could be written");
    EventData again;
    RacingTable& second = again.heats;
    readTable(path, second);
    require(tableBytes(second) == tableBytes(first),
            "read, written and read again, the table is the same");
    return 0;
}
