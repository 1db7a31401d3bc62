#include "files/freq_names_file.h"

#include "files/file_io.h"
#include "files/record_bytes.h"

namespace vexa {

namespace {
constexpr size_t NameSize = FreqNameCapacity + 1;
}

std::vector<uint8_t> freqNamesBytes(const FreqNames& names) {
    RecordWriter w(FreqNamesFileSize);
    for (int f = 1; f <= MaxFrequencies; ++f)
        w.shortString((f - 1) * NameSize, FreqNameCapacity, names.names[f]);
    return w.bytes();
}

void applyFreqNamesBytes(const std::vector<uint8_t>& bytes, FreqNames& names) {
    names.clear();
    int f = 1;
    forEachRecord(bytes, NameSize, [&](const RecordReader& r) {
        if (f <= MaxFrequencies) names.names[f++] = r.shortString(0, FreqNameCapacity);
    });
}

Outcome loadFreqNames(const std::filesystem::path& path, FreqNames& names) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        names.clear();
        return Outcome::failure(MissingFreqFileMessage);
    }
    applyFreqNamesBytes(*bytes, names);
    return Outcome::success();
}

Outcome saveFreqNames(const std::filesystem::path& path, const FreqNames& names) {
    return writeFileAtomic(path, freqNamesBytes(names));
}

Outcome saveFreqNameRows(const std::filesystem::path& path, FreqNames& names,
                         const std::vector<std::string>& rows) {
    names.clear();
    for (int f = 1; f <= MaxFrequencies && f <= static_cast<int>(rows.size()); ++f)
        names.names[f] = rows[f - 1].substr(0, FreqNameCapacity);
    return saveFreqNames(path, names);
}

} // namespace vexa
