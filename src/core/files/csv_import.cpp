#include "files/csv_import.h"

#include "base/whole_number.h"
#include "files/file_io.h"
#include "settings/ini_file.h"

#include <algorithm>

namespace vexa {

namespace {

// The lines of a text, ended by LF, CR LF or CR; at most `limit` of them.
std::vector<std::string> textLines(const std::vector<uint8_t>& bytes, int limit) {
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    while (i < bytes.size() && static_cast<int>(lines.size()) < limit) {
        const char c = static_cast<char>(bytes[i++]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty() && static_cast<int>(lines.size()) < limit) lines.push_back(std::move(line));
    return lines;
}

// Splits at commas; the sixth field is the rest of the line after the fifth comma.
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',' && fields.size() < 6)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    fields.resize(6);
    return fields;
}

// The whole number a field holds when it lies within 0..max, otherwise 0.
int numberWithin(const std::string& field, int max) {
    const auto v = parseWholeNumber(field);
    return v && *v >= 0 && *v <= max ? *v : 0;
}

std::string firstChars(const std::string& text, size_t n) {
    return text.size() > n ? text.substr(0, n) : text;
}

} // namespace

CsvImportResult importCsvText(const std::vector<uint8_t>& bytes, EventData& event) {
    CsvImportResult result;
    if (std::find(bytes.begin(), bytes.end(), uint8_t{0}) != bytes.end()) {
        result.outcome = Outcome::failure(CsvNotTextMessage);
        result.message = csvImportMessage(0);
        return result;
    }
    for (const std::string& line : textLines(bytes, CsvLinesRead)) {
        if (line.empty()) continue;
        const auto fields = csvFields(line);
        if (fields[0].empty()) continue;
        const int id = event.firstFreeId();
        if (id == 0) break;
        comp_ent& c = event.cpts[id];
        c.name = firstChars(fields[0], NameCapacity);
        c.classno = static_cast<int8_t>(numberWithin(fields[1], MaxClasses - 1));
        c.ability = static_cast<int8_t>(numberWithin(fields[2], 100));
        c.memno = firstChars(fields[3], MemnoCapacity);
        c.transponder = numberWithin(fields[4], 9999999);
        std::vector<int> freqs;
        for (char ch : fields[5]) {
            const int code = static_cast<unsigned char>(ch);
            if (code >= 48 && code <= 247) freqs.push_back(code - 47);
        }
        std::sort(freqs.begin(), freqs.end());
        freqs.erase(std::unique(freqs.begin(), freqs.end()), freqs.end());
        c.setOwnedFreqs(freqs);
        c.enabled = 'Y';
        result.ids.push_back(id);
    }
    result.message = csvImportMessage(static_cast<int>(result.ids.size()));
    return result;
}

CsvImportResult importCsvFile(const std::filesystem::path& path, EventData& event) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        CsvImportResult result;
        result.outcome = Outcome::failure("The file " + displayPath(path) + " could not be read");
        result.message = csvImportMessage(0);
        return result;
    }
    return importCsvText(*bytes, event);
}

std::string csvImportMessage(int added) {
    return std::to_string(added) + " drivers have been added to the event.";
}

} // namespace vexa
