#pragma once

#include "model/event_data.h"
#include "model/outcome.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* CsvNotTextMessage = "The file is not a text file";
inline constexpr int CsvLinesRead = 300;

// "Import from CSV File": each of the first 300 lines that has a name becomes a competitor in the
// first free entry, from up to six comma-separated fields: name (first 25 characters), class
// (0..30, otherwise 0), ability (0..100, otherwise 0), membership number (first 6 characters),
// transponder (0..9999999, otherwise 0), and everything after the fifth comma as the owned
// frequencies, each character of code 48..247 naming frequency code - 47 (at most 200, kept in
// ascending order without repeats). The entry is enabled; its other fields stay. Lines end with
// LF, CR LF or CR. A file holding a NUL byte is not text and adds nobody.
struct CsvImportResult {
    Outcome outcome;      // fails only for a file that cannot be read or is not text
    std::vector<int> ids; // the entries filled, in order
    std::string message;  // the count message shown after the import
};

CsvImportResult importCsvText(const std::vector<uint8_t>& bytes, EventData& event);
CsvImportResult importCsvFile(const std::filesystem::path& path, EventData& event);

// The message after an import: the number of drivers added and
// " drivers have been added to the event.".
std::string csvImportMessage(int added);

} // namespace vexa
