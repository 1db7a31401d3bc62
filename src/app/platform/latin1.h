#pragma once

#include <QString>

#include <string>

namespace vexa {

// The core holds Latin-1 bytes; a character outside Latin-1 becomes '?'.
inline QString toQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQt(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) out += c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?';
    return out;
}

} // namespace vexa
