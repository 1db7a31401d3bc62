#pragma once

#include "model/competitor.h"
#include "model/outcome.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// One record of a drivers database, the same in memory and in the `.qad` file.
struct driver_ent {
    int32_t id = 0;   // 1..32767 for a live record; 0 = deleted (not listed, not saved)
    std::string name; // at most 25 characters
    int16_t ability = 0;
    std::string memno; // at most 15 characters
    uint8_t classno = 0;
    int16_t preffreq = 0; // preferred frequency index; 0 or less = none
    OwnedFreqBytes owned{};
    std::string address1; // at most 40 characters each
    std::string address2;
    std::string address3;
    std::string postcode;    // at most 10
    std::string tel;         // at most 30
    std::string email;       // at most 40
    std::string picture;     // at most 255
    int32_t transponder = 0; // 0 or less = none
    // The reserved bytes at offsets 49, 715, 730 and 731, kept as read; zeroed when the record is
    // saved from the editor or made from a competitor.
    std::array<uint8_t, 4> reserved{};

    bool noFreqNeeded() const { return owned[OwnedFreqCapacity] == NoFreqNeededFlag; }
    void setNoFreqNeeded(bool on) { owned[OwnedFreqCapacity] = on ? NoFreqNeededFlag : 0; }
    std::vector<int> ownedFreqs() const { return ownedFreqList(owned); }
    void setOwnedFreqs(const std::vector<int>& freqs) { setOwnedFreqList(owned, freqs); }
};

inline constexpr size_t DriverRecordSize = 732;
inline constexpr int MaxDriverId = 32767;

inline constexpr const char* MissingDatabaseMessage =
    "The drivers database file to be loaded did not exist";
inline constexpr const char* DriverNeedsNameMessage = "The driver must be given a name";
inline constexpr const char* DatabaseFullMessage = "The drivers database has no free Id left";

// The open drivers database: its records in array order (deleted ones included until the file is
// written) and its file. At most one is open; an empty path means none.
struct DriversDatabase {
    std::vector<driver_ent> records;
    std::filesystem::path path;

    bool hasFile() const { return !path.empty(); }
    // The smallest Id from 1 up that no live record uses, or 0 when all 32767 are taken.
    int nextFreeId() const;
};

// One record's 732 bytes, and the record read back from them.
std::vector<uint8_t> driverRecordBytes(const driver_ent& d);
driver_ent driverFromRecord(const uint8_t* bytes);

// The file: the live records (Id above 0) one after another, in array order.
std::vector<uint8_t> databaseBytes(const DriversDatabase& db);
// Replaces the records by those of a file image whose Id is 1..32767; a truncated last record
// is skipped.
void applyDatabaseBytes(const std::vector<uint8_t>& bytes, DriversDatabase& db);

// The editor's new record: empty, and needing no frequency unless the settings' "New Driver
// requires frequency by default" is on.
driver_ent newDatabaseRecord(bool requiresFreq);

// The editor's number boxes: an empty box, or one without a whole number that fits, stores 0.
int16_t typedAbility(const std::string& text);
int32_t typedTransponder(const std::string& text);

// "New Drivers Database": the path becomes the database's file and the database is emptied.
void newDriversDatabase(DriversDatabase& db, const std::filesystem::path& path);

// "Open Drivers Database": a missing file is reported with MissingDatabaseMessage and the
// database is left as it was.
Outcome loadDriversDatabase(DriversDatabase& db, const std::filesystem::path& path);

// Rewrites the file, unless the database has never held a record.
Outcome writeDriversDatabase(const DriversDatabase& db);

// Closing the database window: the file is written, then the database emptied and its path
// forgotten. When the file cannot be written the database stays open, so nothing is lost.
Outcome closeDriversDatabase(DriversDatabase& db);

// The record editor's "Save": refused with DriverNeedsNameMessage when the name is empty. A new
// record (no `existing` index) gets the next free Id and is appended; an edited one replaces the
// record at `existing`, keeping its Id. The reserved bytes are zeroed.
struct SavedRecord {
    Outcome outcome;
    size_t index = 0; // where the record now is
};
SavedRecord saveDatabaseRecord(DriversDatabase& db, driver_ent record,
                               std::optional<size_t> existing);

// "Delete": the question (cut to 57 characters), and the deletion after Yes.
std::string deleteDriverQuestion(const driver_ent& d);
void deleteDatabaseRecord(DriversDatabase& db, size_t index);

} // namespace vexa
