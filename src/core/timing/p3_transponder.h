#pragma once

#include "timing/p3_records.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vexa {

// The number a P3 passing's transponder goes by in the program: the competitors' transponder
// numbers, the track transponder sets and the unknown cars all use it.
//
// It is the transponder number the record carries (up to nine digits on current decoders), when
// that is 1 to 2147483647. A passing that carries only a code, such as "PV-38463", goes by the
// number its code makes: each letter is its value as a base-36 digit (A = 10, B = 11, ... Z = 35),
// each digit stays itself, other characters are left out, so "PV-38463" is 25 31 38463, that is
// 253138463. Codes of the usual shape (two letters, a dash, up to five digits) give distinct
// numbers of eight or nine digits, which the transponder test shows beside the code. A passing
// that gives no number (no transponder number and a code with more than nine digits' worth, or
// none at all) cannot be counted.
std::optional<int32_t> p3TransponderNumber(const P3Passing& passing);

// The number a transponder code makes, as above.
std::optional<int32_t> p3CodeNumber(std::string_view code);

} // namespace vexa
