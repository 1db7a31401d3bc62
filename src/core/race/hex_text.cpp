#include "race/hex_text.h"

namespace vexa {

void appendHexPairs(std::string& out, const std::string& bytes) {
    static const char Digits[] = "0123456789ABCDEF";
    if (bytes.empty()) return;
    const size_t at = out.size();
    out.resize(at + bytes.size() * 3 - 1, ' ');
    char* p = out.data() + at;
    for (unsigned char c : bytes) {
        p[0] = Digits[c >> 4];
        p[1] = Digits[c & 15];
        p += 3;
    }
}

std::string hexPairs(const std::string& bytes) {
    std::string out;
    appendHexPairs(out, bytes);
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {

// The blanks a stream's >> skips between words.
bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

std::optional<std::string> parseHexPairs(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 3 + 1);
    size_t at = 0;
    while (at < text.size()) {
        if (blank(text[at])) {
            ++at;
            continue;
        }
        // A word: exactly two hexadecimal digits, then a blank or the end.
        if (at + 1 >= text.size() || (at + 2 < text.size() && !blank(text[at + 2])))
            return std::nullopt;
        const int high = hexDigit(text[at]);
        const int low = hexDigit(text[at + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return out;
}

} // namespace vexa
