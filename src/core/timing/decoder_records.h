#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vexa {

// What one decoder record turned out to be. Every whole-number field a record needs is converted
// before anything is done with it, so a garbled record has no effect at all.
enum class RecordKind {
    Ignored,      // matches no rule: dropped without a message
    Malformed,    // a whole-number field is not a number: abandoned and reported
    WrongDecoder, // AMBrc: from another decoder identity
    Passing,
    Status, // AMBrc "#" status record
};

// An AMBrc record (starting with SOH). For a passing, `time` is -1.0 when its text is not a valid
// number; `hitsText` is field 5 as received.
struct AmbrcRecord {
    RecordKind kind = RecordKind::Ignored;
    std::string_view badText; // Malformed: the text that is not a number
    int32_t transponder = 0;
    double time = -1.0;
    int32_t hits = 0;
    std::string_view hitsText;
    int32_t signal = 0;
    std::string_view noise; // Status: field 3
};

// Transponder numbers an AMBrc passing may carry; others are dropped silently.
inline constexpr int32_t LowestAmbrcTransponder = 2100;
inline constexpr int32_t HighestAmbrcTransponder = 9999999;

AmbrcRecord parseAmbrcRecord(std::string_view record, int32_t decoderId);

// A passing that names a car number (System 20, the Italian system, the secondary System 20
// decoder). `hits` is empty when the record leaves the entrant's hits unchanged.
struct CarRecord {
    RecordKind kind = RecordKind::Ignored;
    std::string_view badText;
    int32_t carno = 0;
    double time = 0.0;
    std::optional<int32_t> hits;
};

// "@", car (2-3), hours (4-5), minutes (6-7), seconds (8-9), hundredths (10-11), hits (12 or
// 12-13). The clock record "@00hhmmss" and records shorter than 12 characters are ignored.
CarRecord parseSystem20Record(std::string_view record);

// The time on the decoder's clock of a System 20 clock record "@00hhmmss"; nothing for any other
// record.
std::optional<double> system20ClockTime(std::string_view record);

// The secondary System 20 decoder on the track-controller port takes only 13-character passings
// and leaves the hits alone.
CarRecord parseSecondSystem20Record(std::string_view record);

// Passing times of the dialects whose records carry no time: beyond any race, so the race clock
// is used instead.
inline constexpr double Ex20PassingTime = 88000.0;
inline constexpr double ItalianPassingTime = 100000.0;

// "@", car (2-3) and one more character: exactly four characters.
CarRecord parseItalianRecord(std::string_view record);

// "@" and a transponder number 2..65600 in decimal digits, at most six characters in all.
struct Ex20Record {
    RecordKind kind = RecordKind::Ignored;
    int32_t transponder = 0;
};
Ex20Record parseEx20Record(std::string_view record);

// The shortest records of the System 20 family: the clock record, and the Italian system's one
// length.
inline constexpr size_t System20ClockRecordLength = 9;
inline constexpr size_t ItalianRecordLength = 4;

// The System 20 clock record of second 1, the answer that ends the presence check.
inline constexpr std::string_view System20FirstClockRecord = "@00000001";

} // namespace vexa
