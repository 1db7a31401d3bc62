#include "race/setting_numbers.h"

#include <charconv>

namespace vexa {

int settingNumber(const std::string& text, int fallback) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return fallback;
    size_t end = text.find_last_not_of(' ') + 1;
    if (text[begin] == '+') ++begin;
    int value = 0;
    const auto res = std::from_chars(text.data() + begin, text.data() + end, value);
    if (res.ec != std::errc{} || res.ptr != text.data() + end) return fallback;
    return value;
}

} // namespace vexa
