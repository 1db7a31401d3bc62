#include "files/drivers_database.h"

#include "base/whole_number.h"
#include "files/file_io.h"
#include "files/record_bytes.h"
#include "settings/ini_file.h"

#include <algorithm>

namespace vexa {

namespace {

// Offsets of the record's fields.
constexpr size_t IdAt = 0, NameAt = 4, AbilityAt = 30, MemnoAt = 32, ClassAt = 48,
                 Reserved49At = 49, PrefFreqAt = 50, OwnedAt = 52, Address1At = 253,
                 Address2At = 294, Address3At = 335, PostcodeAt = 376, TelAt = 387, EmailAt = 418,
                 PictureAt = 459, Reserved715At = 715, TransponderAt = 716, Reserved730At = 730;
constexpr size_t AddressCapacity = 40, DbMemnoCapacity = 15, PostcodeCapacity = 10,
                 TelCapacity = 30, EmailCapacity = 40;

int16_t int16At(const RecordReader& r, size_t offset) {
    return static_cast<int16_t>(r.byte(offset) | (r.byte(offset + 1) << 8));
}

void int16To(RecordWriter& w, size_t offset, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    w.byte(offset, static_cast<uint8_t>(u));
    w.byte(offset + 1, static_cast<uint8_t>(u >> 8));
}

} // namespace

int DriversDatabase::nextFreeId() const {
    std::vector<bool> used(MaxDriverId + 1, false);
    for (const auto& d : records)
        if (d.id >= 1 && d.id <= MaxDriverId) used[d.id] = true;
    for (int id = 1; id <= MaxDriverId; ++id)
        if (!used[id]) return id;
    return 0;
}

std::vector<uint8_t> driverRecordBytes(const driver_ent& d) {
    RecordWriter w(DriverRecordSize);
    w.int32(IdAt, d.id);
    w.shortString(NameAt, NameCapacity, d.name);
    int16To(w, AbilityAt, d.ability);
    w.shortString(MemnoAt, DbMemnoCapacity, d.memno);
    w.byte(ClassAt, d.classno);
    w.byte(Reserved49At, d.reserved[0]);
    int16To(w, PrefFreqAt, d.preffreq);
    for (size_t i = 0; i < d.owned.size(); ++i) w.byte(OwnedAt + i, d.owned[i]);
    w.shortString(Address1At, AddressCapacity, d.address1);
    w.shortString(Address2At, AddressCapacity, d.address2);
    w.shortString(Address3At, AddressCapacity, d.address3);
    w.shortString(PostcodeAt, PostcodeCapacity, d.postcode);
    w.shortString(TelAt, TelCapacity, d.tel);
    w.shortString(EmailAt, EmailCapacity, d.email);
    w.shortString(PictureAt, PictureCapacity, d.picture);
    w.byte(Reserved715At, d.reserved[1]);
    w.int32(TransponderAt, d.transponder);
    // Offsets 720..729 are always written as zero.
    w.byte(Reserved730At, d.reserved[2]);
    w.byte(Reserved730At + 1, d.reserved[3]);
    return w.bytes();
}

driver_ent driverFromRecord(const uint8_t* bytes) {
    const RecordReader r(bytes, DriverRecordSize);
    driver_ent d;
    d.id = r.int32(IdAt);
    d.name = r.shortString(NameAt, NameCapacity);
    d.ability = int16At(r, AbilityAt);
    d.memno = r.shortString(MemnoAt, DbMemnoCapacity);
    d.classno = r.byte(ClassAt);
    d.preffreq = int16At(r, PrefFreqAt);
    for (size_t i = 0; i < d.owned.size(); ++i) d.owned[i] = r.byte(OwnedAt + i);
    d.address1 = r.shortString(Address1At, AddressCapacity);
    d.address2 = r.shortString(Address2At, AddressCapacity);
    d.address3 = r.shortString(Address3At, AddressCapacity);
    d.postcode = r.shortString(PostcodeAt, PostcodeCapacity);
    d.tel = r.shortString(TelAt, TelCapacity);
    d.email = r.shortString(EmailAt, EmailCapacity);
    d.picture = r.shortString(PictureAt, PictureCapacity);
    d.transponder = r.int32(TransponderAt);
    d.reserved = {r.byte(Reserved49At), r.byte(Reserved715At), r.byte(Reserved730At),
                  r.byte(Reserved730At + 1)};
    return d;
}

std::vector<uint8_t> databaseBytes(const DriversDatabase& db) {
    std::vector<uint8_t> out;
    for (const auto& d : db.records) {
        if (d.id <= 0) continue;
        const auto bytes = driverRecordBytes(d);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

void applyDatabaseBytes(const std::vector<uint8_t>& bytes, DriversDatabase& db) {
    db.records.clear();
    for (size_t at = 0; at + DriverRecordSize <= bytes.size(); at += DriverRecordSize) {
        driver_ent d = driverFromRecord(bytes.data() + at);
        if (d.id >= 1 && d.id <= MaxDriverId) db.records.push_back(std::move(d));
    }
}

driver_ent newDatabaseRecord(bool requiresFreq) {
    driver_ent d;
    d.setNoFreqNeeded(!requiresFreq);
    return d;
}

int16_t typedAbility(const std::string& text) {
    const int value = parseWholeNumber(text).value_or(0);
    return static_cast<int16_t>(value >= INT16_MIN && value <= INT16_MAX ? value : 0);
}

int32_t typedTransponder(const std::string& text) {
    return parseWholeNumber(text).value_or(0);
}

void newDriversDatabase(DriversDatabase& db, const std::filesystem::path& path) {
    db.records.clear();
    db.path = path;
}

Outcome loadDriversDatabase(DriversDatabase& db, const std::filesystem::path& path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) return Outcome::failure(MissingDatabaseMessage);
    applyDatabaseBytes(*bytes, db);
    db.path = path;
    return Outcome::success();
}

Outcome writeDriversDatabase(const DriversDatabase& db) {
    if (db.records.empty() || !db.hasFile()) return Outcome::success();
    return writeFileAtomic(db.path, databaseBytes(db));
}

Outcome closeDriversDatabase(DriversDatabase& db) {
    Outcome written = writeDriversDatabase(db);
    if (!written) return written;
    db.records.clear();
    db.path.clear();
    return written;
}

SavedRecord saveDatabaseRecord(DriversDatabase& db, driver_ent record,
                               std::optional<size_t> existing) {
    if (record.name.empty()) return {Outcome::failure(DriverNeedsNameMessage), 0};
    record.reserved = {};
    if (existing && *existing < db.records.size()) {
        record.id = db.records[*existing].id;
        db.records[*existing] = std::move(record);
        return {Outcome::success(), *existing};
    }
    record.id = db.nextFreeId();
    if (record.id == 0) return {Outcome::failure(DatabaseFullMessage), 0};
    db.records.push_back(std::move(record));
    return {Outcome::success(), db.records.size() - 1};
}

std::string deleteDriverQuestion(const driver_ent& d) {
    std::string question = " Are you sure you want to delete " + d.name;
    if (question.size() > 57) question.resize(57);
    return question;
}

void deleteDatabaseRecord(DriversDatabase& db, size_t index) {
    if (index < db.records.size()) db.records[index].id = 0;
}

} // namespace vexa
