#pragma once

#include "model/outcome.h"
#include "output/recorded_print_job.h"

#include <filesystem>
#include <vector>

namespace vexa {

// Race results sheets laid out when their race was stored, waiting to be printed. The printing
// (a PDF file takes tens of milliseconds) is left to the moment after the end of the race, so
// the next countdown is not held; the sheets are kept meanwhile in a file of the event directory,
// so that a sheet a crash caught before it was printed is printed at the next start.
inline constexpr const char* PendingSheetsFileName = "sheets.pending";

struct PendingSheet {
    RecordedPrintJob job;
    int copies = 1;
    bool operator==(const PendingSheet&) const = default;
};

// Writes the sheets into the event directory's file, atomically; none removes the file.
Outcome keepPendingSheets(const std::filesystem::path& eventDir,
                          const std::vector<PendingSheet>& sheets);

// The sheets the file holds; none when there is no file. A file that cannot be read as sheets
// (written by hand) gives the sheets before the damage.
std::vector<PendingSheet> readPendingSheets(const std::filesystem::path& eventDir);

} // namespace vexa
