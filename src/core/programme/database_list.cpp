#include "programme/database_list.h"

#include <algorithm>

namespace vexa {

std::vector<DatabaseListRow> databaseList(const DriversDatabase& db, DatabaseOrder order,
                                          const ProgSettings& settings,
                                          const FreqNames& freqnames) {
    std::vector<DatabaseListRow> rows;
    for (size_t i = 0; i < db.records.size(); ++i) {
        const driver_ent& d = db.records[i];
        if (d.id <= 0) continue;
        DatabaseListRow row;
        row.index = i;
        row.id = d.id;
        row.name = d.name;
        row.classText = settings.classText(d.classno);
        row.ability = std::to_string(d.ability);
        row.prefFreq = d.noFreqNeeded() ? "Not Req/2.4Ghz" : freqnames.name(d.preffreq);
        row.transponder = d.transponder > 0 ? std::to_string(d.transponder) : std::string();
        row.key = order == DatabaseOrder::SecondName ? secondNameKey(d.name) : upperLatin1(d.name);
        rows.push_back(std::move(row));
    }
    auto byAbility = [&](const DatabaseListRow& a, const DatabaseListRow& b) {
        return db.records[a.index].ability > db.records[b.index].ability;
    };
    auto byKey = [](const DatabaseListRow& a, const DatabaseListRow& b) { return a.key < b.key; };
    switch (order) {
    case DatabaseOrder::IdNumber:
        break;
    case DatabaseOrder::FirstName:
    case DatabaseOrder::SecondName:
        std::stable_sort(rows.begin(), rows.end(), byKey);
        break;
    case DatabaseOrder::AbilityLevel:
        std::stable_sort(rows.begin(), rows.end(), byAbility);
        break;
    }
    return rows;
}

int rowForInitial(const std::vector<DatabaseListRow>& rows, char letter) {
    const char wanted = upperLatin1(std::string(1, letter))[0];
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].key.empty() && rows[i].key[0] == wanted) return static_cast<int>(i);
    return -1;
}

} // namespace vexa
