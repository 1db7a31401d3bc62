#include "terminal_text.h"

#include <cstdio>

namespace vexa::cli {

namespace {

void appendEscaped(std::string& out, unsigned char c) {
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02X", c);
    out += code;
}

} // namespace

std::string escapedControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127)
            appendEscaped(out, c);
        else
            out += ch;
    }
    return out;
}

std::string terminalText(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 || (c >= 127 && c < 160)) {
            appendEscaped(out, c);
        } else if (c >= 160) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += ch;
        }
    }
    return out;
}

std::optional<std::string> latin1FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        // Characters up to 255 take two bytes, 110000xx 10xxxxxx; anything else is either
        // beyond Latin-1 or not UTF-8.
        if ((c & 0xFE) != 0xC2 || i + 1 >= utf8.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(utf8[++i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        out += static_cast<char>((c & 0x03) << 6 | (next & 0x3F));
    }
    return out;
}

} // namespace vexa::cli
