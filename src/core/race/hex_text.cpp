#include "race/hex_text.h"

#include <sstream>

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

std::optional<std::string> parseHexPairs(const std::string& text) {
    std::istringstream words(text);
    std::string word, out;
    while (words >> word) {
        if (word.size() != 2 || hexDigit(word[0]) < 0 || hexDigit(word[1]) < 0) return std::nullopt;
        out += static_cast<char>(hexDigit(word[0]) * 16 + hexDigit(word[1]));
    }
    return out;
}

} // namespace vexa
