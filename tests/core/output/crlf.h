#pragma once

#include <initializer_list>
#include <string>

namespace vexa::test {

// Lines joined with CR LF line ends, each line ended.
inline std::string crlf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

} // namespace vexa::test
