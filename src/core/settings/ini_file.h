#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vexa {

// An INI text that keeps every line it does not change: comments, unknown sections and keys,
// blank lines and the order of everything. Section and key names match without regard to case.
// Key names may hold blanks ("LOWEST HITS") and are kept exactly as written.
class IniFile {
  public:
    IniFile() = default;
    // Accepts CR LF or LF line ends.
    static IniFile parse(const std::string& text);

    // The value of the first matching key of the first matching section, trimmed, with one pair
    // of enclosing double quotes removed; nothing when the section or key is missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;

    // Sets a key: an existing line is replaced in place; a new key goes after the last entry of
    // its section; a new section goes at the end of the text. A value with blanks at either end
    // or in enclosing quotes is written in quotes, so that it reads back as it was.
    void write(const std::string& section, const std::string& key, const std::string& value);

    // The whole text with CR LF line ends.
    std::string text() const;

  private:
    // Index of the section header line, or -1.
    int findSection(const std::string& section) const;
    // Index of the key line inside the section whose header is at `header`, or -1.
    int findKey(int header, const std::string& key) const;
    int sectionEnd(int header) const; // one past the last line of the section

    std::vector<std::string> lines_;
};

} // namespace vexa
