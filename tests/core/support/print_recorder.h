#pragma once

#include "ports/print_stream.h"

#include <string>

namespace vexa::test {

// A print stream that keeps what a report printed as a transcript: the text line by line, with
// the font in effect written as {Name Size flags} before each piece of text whose font differs
// from the previous piece's (flags: b bold, i italic, u underline; none when plain). A form feed
// is "<FF>". Counts the jobs opened and closed; can be told to refuse opening.
class PrintRecorder : public PrintStream {
  public:
    std::string transcript;
    int opened = 0;
    int closed = 0;
    bool refuseOpen = false;

    Outcome open() override {
        if (refuseOpen) return Outcome::failure("No printer");
        ++opened;
        return Outcome::success();
    }
    void setFontName(const std::string& name) override { name_ = name; }
    void setFontSize(int points) override { size_ = points; }
    void setFontStyle(FontStyle style) override { style_ = style; }
    void write(const std::string& text) override {
        if (text.empty()) return;
        const std::string font = fontMark();
        if (font != lastFont_) transcript += font;
        lastFont_ = font;
        transcript += text;
    }
    void endLine() override { transcript += "\n"; }
    void formFeed() override { transcript += "<FF>"; }
    Outcome close() override {
        ++closed;
        return Outcome::success();
    }

  private:
    std::string fontMark() const {
        std::string flags;
        if (style_.bold) flags += 'b';
        if (style_.italic) flags += 'i';
        if (style_.underline) flags += 'u';
        return "{" + name_ + " " + std::to_string(size_) + (flags.empty() ? "" : " " + flags) + "}";
    }

    std::string name_ = "?";
    int size_ = 0;
    FontStyle style_;
    std::string lastFont_;
};

} // namespace vexa::test
