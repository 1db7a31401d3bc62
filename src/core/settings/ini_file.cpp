#include "settings/ini_file.h"

#include "base/plain_text.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace vexa {

namespace {

// The first character that is not a blank, or 0.
char firstNonBlank(const std::string& line) {
    for (char c : line)
        if (!isBlank(c)) return c;
    return 0;
}

// The section name when the line is a section header.
std::optional<std::string> headerName(const std::string& line) {
    if (firstNonBlank(line) != '[') return std::nullopt; // most lines, without copying them
    const std::string t = trimBlanks(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return trimBlanks(t.substr(1, close - 1));
}

bool isComment(const std::string& line) {
    const char first = firstNonBlank(line);
    return first == ';' || first == '#';
}

// Whether the line is an entry of that key (compared without regard to case), without copying
// the line.
bool isEntryOf(const std::string& line, const std::string& key) {
    const char first = firstNonBlank(line);
    if (first == 0 || first == ';' || first == '#') return false;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    size_t b = 0, e = eq;
    while (b < e && isBlank(line[b])) ++b;
    while (e > b && isBlank(line[e - 1])) --e;
    if (e - b != key.size()) return false;
    for (size_t i = 0; i < key.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(line[b + i])) !=
            std::toupper(static_cast<unsigned char>(key[i])))
            return false;
    return !headerName(line);
}

// Key and raw value when the line is an entry.
bool splitEntry(const std::string& line, std::string& key, std::string& value) {
    if (isComment(line) || headerName(line)) return false;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = trimBlanks(line.substr(0, eq));
    value = trimBlanks(line.substr(eq + 1));
    return true;
}

} // namespace

IniFile IniFile::parse(const std::string& text) {
    IniFile ini;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ini.lines_.push_back(std::move(line));
        start = end + 1;
    }
    return ini;
}

int IniFile::findSection(const std::string& section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = headerName(lines_[i]);
        if (name && equalsNoCase(*name, section)) return static_cast<int>(i);
    }
    return -1;
}

int IniFile::sectionEnd(int header) const {
    size_t i = static_cast<size_t>(header) + 1;
    while (i < lines_.size() && !headerName(lines_[i])) ++i;
    return static_cast<int>(i);
}

int IniFile::findKey(int header, const std::string& key) const {
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (isEntryOf(lines_[static_cast<size_t>(i)], key)) return i;
    return -1;
}

std::optional<std::string> IniFile::value(const std::string& section,
                                          const std::string& key) const {
    const int header = findSection(section);
    if (header < 0) return std::nullopt;
    const int line = findKey(header, key);
    if (line < 0) return std::nullopt;
    std::string k, v;
    splitEntry(lines_[static_cast<size_t>(line)], k, v);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return v;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    auto v = value(section, key);
    return v ? *v : fallback;
}

// A value that reading would change (blanks at either end, or enclosing quotes) is written
// inside one more pair of quotes, which reading removes again.
static std::string storedValue(const std::string& value) {
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (!quoted && trimBlanks(value) == value) return value;
    return '"' + value + '"';
}

void IniFile::write(const std::string& section, const std::string& key, const std::string& value) {
    const std::string entry = key + "=" + storedValue(value);
    int header = findSection(section);
    if (header < 0) {
        lines_.push_back("[" + section + "]");
        lines_.push_back(entry);
        return;
    }
    const int line = findKey(header, key);
    if (line >= 0) {
        lines_[static_cast<size_t>(line)] = entry;
        return;
    }
    // After the last non-blank line of the section.
    int at = sectionEnd(header);
    while (at > header + 1 && trimBlanks(lines_[static_cast<size_t>(at - 1)]).empty()) --at;
    lines_.insert(lines_.begin() + at, entry);
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace vexa
