#include "files/database_transfer.h"

#include <algorithm>

namespace vexa {

namespace {

// Copies an owned-frequencies field and sets the flag byte from the source's flag. When the list
// fills all 200 places the flag byte is the 200th frequency and is copied as it is.
void copyOwned(const OwnedFreqBytes& from, OwnedFreqBytes& to) {
    to = from;
    if (from[0] < OwnedFreqCapacity)
        to[OwnedFreqCapacity] = from[OwnedFreqCapacity] == NoFreqNeededFlag ? NoFreqNeededFlag : 0;
}

std::string cut(const std::string& text, size_t capacity) {
    return text.size() > capacity ? text.substr(0, capacity) : text;
}

} // namespace

int transferToEvent(const driver_ent& record, EventData& event, const ConfirmQuestion& confirm) {
    if (record.name.empty()) return 0;
    const int id = event.firstFreeId();
    if (id == 0) return 0;
    const bool twin = std::any_of(event.cpts.begin() + 1, event.cpts.end(), [&](const comp_ent& c) {
        return c.name == record.name && c.classno == record.classno;
    });
    if (twin && !(confirm && confirm(SameDriverInEventQuestion))) return 0;

    comp_ent& c = event.cpts[id];
    c.name = cut(record.name, NameCapacity);
    c.ability = static_cast<int8_t>(std::clamp<int>(record.ability, 0, 100));
    c.memno = cut(record.memno, MemnoCapacity);
    c.classno = static_cast<int8_t>(record.classno < MaxClasses ? record.classno : 0);
    c.enabled = 'Y';
    c.heatfreq = static_cast<uint8_t>(
        record.preffreq >= 1 && record.preffreq <= MaxFrequencies ? record.preffreq : 0);
    copyOwned(record.owned, c.owned);
    c.transponder = record.transponder;
    c.picture = record.picture;
    return id;
}

Outcome copyToDatabase(const comp_ent& competitor, DriversDatabase& db) {
    if (!db.hasFile()) return Outcome::failure(NoDatabaseOpenMessage);
    driver_ent d;
    d.id = db.nextFreeId();
    if (d.id == 0) return Outcome::failure(DatabaseFullMessage);
    d.name = competitor.name;
    d.ability = competitor.ability;
    d.memno = competitor.memno;
    d.classno = static_cast<uint8_t>(competitor.classno);
    d.preffreq = competitor.heatfreq;
    copyOwned(competitor.owned, d.owned);
    d.transponder = competitor.transponder;
    d.picture = cut(competitor.picture, PictureCapacity);
    db.records.push_back(std::move(d));
    return Outcome::success();
}

Outcome copyAllToDatabase(const EventData& event, DriversDatabase& db) {
    if (!db.hasFile()) return Outcome::failure(NoDatabaseOpenMessage);
    for (int id = 1; id <= MaxCompetitors; ++id) {
        if (!event.cpts[id].inUse()) continue;
        const Outcome o = copyToDatabase(event.cpts[id], db);
        if (!o) return o;
    }
    return Outcome::success();
}

} // namespace vexa
