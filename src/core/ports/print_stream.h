#pragma once

#include "model/outcome.h"

#include <string>

namespace vexa {

// The style of the printer font: any mix of bold, italic and underline; none is plain.
struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;

    static constexpr FontStyle plain() { return {}; }
    static constexpr FontStyle boldStyle() { return {true, false, false}; }
    static constexpr FontStyle italicStyle() { return {false, true, false}; }
    static constexpr FontStyle underlineStyle() { return {false, false, true}; }
    static constexpr FontStyle boldUnderline() { return {true, false, true}; }
    static constexpr FontStyle boldItalic() { return {true, true, false}; }
    bool operator==(const FontStyle&) const = default;
};

// A print job seen as a text stream: text is appended to the current line, a line is ended, a
// page is fed. Font name, size (points) and style may change at any point and apply to the text
// written after the change. A report is one job from open() to close().
class PrintStream {
  public:
    virtual ~PrintStream() = default;
    // Starts the job; on failure (no printer, a file that cannot be created) nothing is printed
    // and the report stops with the message.
    virtual Outcome open() = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setFontStyle(FontStyle style) = 0;
    // Latin-1 text on the current line.
    virtual void write(const std::string& text) = 0;
    virtual void endLine() = 0;
    // Ends the page (the form feed character 12 of a text stream).
    virtual void formFeed() = 0;
    // Ends the job; a failure to finish it (a file that could not be written) is reported here.
    virtual Outcome close() = 0;
};

} // namespace vexa
