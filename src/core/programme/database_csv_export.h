#pragma once

#include "model/outcome.h"
#include "programme/database_list.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vexa {

// The CSV export of the database window: the header line, then one line per listed row in the
// list's order (Id, name, class, ability, membership number, transponder, address lines 1..3,
// post code, telephone, e-mail), comma-separated without quoting, each line ended by CR LF.
std::string databaseCsvText(const DriversDatabase& db, const std::vector<DatabaseListRow>& rows,
                            const ProgSettings& settings);

Outcome exportDatabaseCsv(const std::filesystem::path& path, const DriversDatabase& db,
                          const std::vector<DatabaseListRow>& rows, const ProgSettings& settings);

} // namespace vexa
