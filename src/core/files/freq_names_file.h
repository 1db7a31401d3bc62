#pragma once

#include "model/event_data.h"
#include "model/outcome.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexa {

inline constexpr size_t FreqNamesFileSize = 4200; // 200 names of 21 bytes
inline constexpr const char* MissingFreqFileMessage =
    "The frequency file could not be found. The program will work, but without frequency names";

std::vector<uint8_t> freqNamesBytes(const FreqNames& names);
// Names whose 21 bytes lie whole in the file are read; the rest stay empty.
void applyFreqNamesBytes(const std::vector<uint8_t>& bytes, FreqNames& names);

// Loads vexa.qfq; a missing file leaves every name empty and reports MissingFreqFileMessage.
Outcome loadFreqNames(const std::filesystem::path& path, FreqNames& names);
Outcome saveFreqNames(const std::filesystem::path& path, const FreqNames& names);

// Closing "Frequency Setup": the text of row r (1..200, in the rows' order after any dragging)
// becomes name r, cut to 20 characters, and the whole file is rewritten. Rows beyond 200 are
// ignored; missing rows leave their names empty.
Outcome saveFreqNameRows(const std::filesystem::path& path, FreqNames& names,
                         const std::vector<std::string>& rows);

} // namespace vexa
