#include "base/whole_number.h"

#include "base/plain_text.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace vexa {

std::optional<long long> heldWholeNumber(const std::string& text, long long cap) {
    const std::string t = trimBlanks(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    long long value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        value = std::min(value * 10 + (t[i] - '0'), cap);
    }
    return negative ? -value : value;
}

std::optional<int> parseWholeNumber(const std::string& text) {
    // Held beyond the range on both sides, so that a number out of it stays out.
    const std::optional<long long> value =
        heldWholeNumber(text, static_cast<long long>(INT_MAX) + 2);
    if (!value || *value > INT_MAX || *value < INT_MIN) return std::nullopt;
    return static_cast<int>(*value);
}

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
