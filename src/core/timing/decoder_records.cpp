#include "timing/decoder_records.h"

#include "timing/record_fields.h"

namespace vexa {

namespace {

constexpr char Soh = '\x01';

// Positions are 1-based, as the record layouts count them.
std::string_view positions(std::string_view record, size_t first, size_t last) {
    return record.substr(first - 1, last - first + 1);
}

// Reads a whole-number field; on failure marks the record malformed.
template <class Parsed> bool convert(std::string_view text, int32_t& out, Parsed& parsed) {
    const std::optional<int32_t> value = wholeNumber(text);
    if (!value) {
        parsed.kind = RecordKind::Malformed;
        parsed.badText = text;
        return false;
    }
    out = *value;
    return true;
}

// The decoder-clock time and car number of a System 20 passing of at least 11 characters.
bool readCarAndTime(std::string_view record, CarRecord& parsed) {
    int32_t hours = 0, minutes = 0, seconds = 0, hundredths = 0;
    if (!convert(positions(record, 2, 3), parsed.carno, parsed)) return false;
    if (!convert(positions(record, 4, 5), hours, parsed)) return false;
    if (!convert(positions(record, 6, 7), minutes, parsed)) return false;
    if (!convert(positions(record, 8, 9), seconds, parsed)) return false;
    if (!convert(positions(record, 10, 11), hundredths, parsed)) return false;
    parsed.time = hours * 3600.0 + minutes * 60.0 + seconds + hundredths / 100.0;
    return true;
}

} // namespace

AmbrcRecord parseAmbrcRecord(std::string_view record, int32_t decoderId) {
    AmbrcRecord parsed;
    if (record.size() < 2 || record[0] != Soh) return parsed;
    const AmbrcFields fields(record);
    int32_t id = 0;
    if (!convert(fields.field(1), id, parsed)) return parsed;
    if (id != decoderId) {
        parsed.kind = RecordKind::WrongDecoder;
        return parsed;
    }
    switch (record[1]) {
    case '@': {
        if (!convert(fields.field(3), parsed.transponder, parsed)) return parsed;
        if (parsed.transponder < LowestAmbrcTransponder ||
            parsed.transponder > HighestAmbrcTransponder)
            return parsed;
        parsed.hitsText = fields.field(5);
        if (!convert(parsed.hitsText, parsed.hits, parsed)) return parsed;
        if (!convert(fields.field(6), parsed.signal, parsed)) return parsed;
        parsed.time = decimalNumber(fields.field(4)).value_or(-1.0);
        parsed.kind = RecordKind::Passing;
        return parsed;
    }
    case '#':
        parsed.noise = fields.field(3);
        parsed.kind = RecordKind::Status;
        return parsed;
    default:
        return parsed;
    }
}

CarRecord parseSystem20Record(std::string_view record) {
    CarRecord parsed;
    if (record.empty() || record[0] != '@') return parsed;
    if (record.size() == 9 && record.starts_with("@00")) return parsed;
    if (record.size() < 12) return parsed;
    if (record.size() == 12 || record.size() == 13) {
        int32_t hits = 0;
        if (!convert(record.substr(11), hits, parsed)) return parsed;
        parsed.hits = hits;
    }
    if (!readCarAndTime(record, parsed)) return parsed;
    parsed.kind = RecordKind::Passing;
    return parsed;
}

std::optional<double> system20ClockTime(std::string_view record) {
    if (record.size() != 9 || !record.starts_with("@00") || !allDigits(record.substr(3)))
        return std::nullopt;
    const int32_t hours = *wholeNumber(record.substr(3, 2));
    const int32_t minutes = *wholeNumber(record.substr(5, 2));
    const int32_t seconds = *wholeNumber(record.substr(7, 2));
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

CarRecord parseSecondSystem20Record(std::string_view record) {
    CarRecord parsed;
    if (record.size() != 13 || record[0] != '@' || record.starts_with("@00")) return parsed;
    if (!readCarAndTime(record, parsed)) return parsed;
    parsed.kind = RecordKind::Passing;
    return parsed;
}

CarRecord parseItalianRecord(std::string_view record) {
    CarRecord parsed;
    if (record.size() != 4 || record[0] != '@') return parsed;
    if (!convert(positions(record, 2, 3), parsed.carno, parsed)) return parsed;
    parsed.time = ItalianPassingTime;
    parsed.kind = RecordKind::Passing;
    return parsed;
}

Ex20Record parseEx20Record(std::string_view record) {
    Ex20Record parsed;
    if (record.empty() || record[0] != '@' || record.size() > 6) return parsed;
    const std::string_view digits = record.substr(1);
    if (!allDigits(digits)) return parsed;
    const int32_t transponder = *wholeNumber(digits);
    if (transponder < 2 || transponder > 65600) return parsed;
    parsed.transponder = transponder;
    parsed.kind = RecordKind::Passing;
    return parsed;
}

} // namespace vexa
