#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexa::test {

// Bytes from hexadecimal text; blanks and line breaks are ignored.
inline std::vector<uint8_t> hex(const std::string& text) {
    std::vector<uint8_t> out;
    int high = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            continue;
        if (high < 0)
            high = v;
        else {
            out.push_back(static_cast<uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

// A hand-built record: zero bytes of a size, with fields put at offsets.
struct Record {
    std::vector<uint8_t> bytes;
    explicit Record(size_t size) : bytes(size, 0) {}
    Record& at(size_t offset, const std::vector<uint8_t>& field) {
        for (size_t i = 0; i < field.size(); ++i) bytes[offset + i] = field[i];
        return *this;
    }
    Record& text(size_t offset, const std::string& s) {
        bytes[offset] = static_cast<uint8_t>(s.size());
        for (size_t i = 0; i < s.size(); ++i) bytes[offset + 1 + i] = static_cast<uint8_t>(s[i]);
        return *this;
    }
};

inline std::vector<uint8_t> concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace vexa::test
