#include "timing/record_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vexa {

namespace {
constexpr std::string_view MissingField = "-1";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

AmbrcFields::AmbrcFields(std::string_view record) : record_(record) {
    size_t tab = record.find('\t');
    while (tab != std::string_view::npos && count_ < MaxFields) {
        const size_t start = tab + 1;
        const size_t next = record.find('\t', start);
        const size_t end = next == std::string_view::npos ? record.size() : next;
        fields_[static_cast<size_t>(++count_)] = record.substr(start, end - start);
        tab = next;
    }
}

std::string_view AmbrcFields::field(int n) const {
    if (n < 1 || n > count_) return MissingField;
    return fields_[static_cast<size_t>(n)];
}

std::string_view ambrcField(std::string_view record, int n) {
    if (n < 1) return MissingField;
    size_t tab = std::string_view::npos;
    size_t from = 0;
    for (int i = 0; i < n; ++i) {
        tab = record.find('\t', from);
        if (tab == std::string_view::npos) return MissingField;
        from = tab + 1;
    }
    const size_t next = record.find('\t', from);
    return record.substr(from,
                         next == std::string_view::npos ? std::string_view::npos : next - from);
}

std::optional<int32_t> wholeNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    constexpr int64_t limit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<double> decimalNumber(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    bool negative = false;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) negative = text[begin++] == '-';
    // Only digits or a decimal point may start the number: no "inf", "nan" or hexadecimal.
    if (begin == end || !((text[begin] >= '0' && text[begin] <= '9') || text[begin] == '.'))
        return std::nullopt;
    double value = 0.0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string conversionErrorText(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

} // namespace vexa
