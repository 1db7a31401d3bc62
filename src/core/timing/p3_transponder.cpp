#include "timing/p3_transponder.h"

#include <limits>

namespace vexa {

std::optional<int32_t> p3CodeNumber(std::string_view code) {
    constexpr int MaxDigits = 9; // below 2^31 whatever they are
    int64_t number = 0;
    int digits = 0;
    auto append = [&](int value, int width) {
        digits += width;
        number = number * (width == 2 ? 100 : 10) + value;
    };
    for (char c : code) {
        if (c >= '0' && c <= '9')
            append(c - '0', 1);
        else if (c >= 'A' && c <= 'Z')
            append(c - 'A' + 10, 2);
        else if (c >= 'a' && c <= 'z')
            append(c - 'a' + 10, 2);
        if (digits > MaxDigits) return std::nullopt;
    }
    if (digits == 0 || number == 0) return std::nullopt;
    return static_cast<int32_t>(number);
}

std::optional<int32_t> p3TransponderNumber(const P3Passing& passing) {
    if (passing.transponder && *passing.transponder >= 1 &&
        *passing.transponder <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max()))
        return static_cast<int32_t>(*passing.transponder);
    return p3CodeNumber(passing.transponderCode);
}

} // namespace vexa
