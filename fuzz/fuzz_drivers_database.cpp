// A drivers database file (*.qad): opened, written back and opened again, every record is the
// same; only records with an Id of 1..32767 are taken.
#include "fuzz_check.h"
#include "input_file.h"

#include "files/drivers_database.h"

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::InputFile file("drivers.qad");
    const auto& path = file.write(data, size);

    DriversDatabase first;
    require(loadDriversDatabase(first, path).ok, "an existing database opens");
    require(first.records.size() <= size / DriverRecordSize, "no more records than the file holds");
    for (const driver_ent& d : first.records)
        require(d.id >= 1 && d.id <= MaxDriverId, "only Ids 1..32767 are taken");
    const int next = first.nextFreeId();
    for (const driver_ent& d : first.records) require(d.id != next, "the next free Id is free");

    require(writeDriversDatabase(first).ok, "the database could be written");
    DriversDatabase second;
    require(loadDriversDatabase(second, path).ok, "the written database opens");
    require(databaseBytes(second) == databaseBytes(first),
            "opened, written and opened again, the database is the same");
    return 0;
}
