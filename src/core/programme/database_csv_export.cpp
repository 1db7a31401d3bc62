#include "programme/database_csv_export.h"

#include "files/file_io.h"

namespace vexa {

std::string databaseCsvText(const DriversDatabase& db, const std::vector<DatabaseListRow>& rows,
                            const ProgSettings& settings) {
    std::string out =
        "Id,Name,Class,Ability,Membership,AMB dp,AddressL1,AddressL2,AddressL3,Postcode,Tel,Email"
        "\r\n";
    for (const auto& row : rows) {
        if (row.index >= db.records.size()) continue;
        const driver_ent& d = db.records[row.index];
        const std::string fields[] = {
            std::to_string(d.id),
            d.name,
            settings.classText(d.classno),
            std::to_string(d.ability),
            d.memno,
            d.transponder > 0 ? std::to_string(d.transponder) : std::string(),
            d.address1,
            d.address2,
            d.address3,
            d.postcode,
            d.tel,
            d.email,
        };
        for (size_t i = 0; i < std::size(fields); ++i) {
            if (i) out += ',';
            out += fields[i];
        }
        out += "\r\n";
    }
    return out;
}

Outcome exportDatabaseCsv(const std::filesystem::path& path, const DriversDatabase& db,
                          const std::vector<DatabaseListRow>& rows, const ProgSettings& settings) {
    return writeFileAtomic(path, databaseCsvText(db, rows, settings));
}

} // namespace vexa
