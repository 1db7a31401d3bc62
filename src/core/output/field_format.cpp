#include "output/field_format.h"

#include <cstdio>

namespace vexa {

std::string PadLeft(const std::string& text, int w) {
    const size_t width = w > 0 ? static_cast<size_t>(w) : 0;
    if (text.size() >= width) return text.substr(0, width);
    return std::string(width - text.size(), ' ') + text;
}

std::string PadLeft(long long number, int w) {
    return PadLeft(std::to_string(number), w);
}

std::string PadRight(const std::string& text, int w) {
    const size_t width = w > 0 ? static_cast<size_t>(w) : 0;
    if (text.size() >= width) return text.substr(0, width);
    return text + std::string(width - text.size(), ' ');
}

std::string PadRight(long long number, int w) {
    return PadRight(std::to_string(number), w);
}

std::string fixed(double x, int w, int d) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%*.*f", w, d, x);
    return buf;
}

} // namespace vexa
