#pragma once

#include "ports/print_stream.h"

#include <filesystem>
#include <string>

namespace vexa {

// A print stream into plain text: fonts are ignored, lines end with CR LF and a form feed is the
// character 12. The text is kept in memory; with a file path, close() writes it there whole.
class TextPrintStream : public PrintStream {
  public:
    TextPrintStream() = default;
    explicit TextPrintStream(std::filesystem::path file) : file_(std::move(file)) {}

    Outcome open() override;
    void setFontName(const std::string&) override {}
    void setFontSize(int) override {}
    void setFontStyle(FontStyle) override {}
    void write(const std::string& text) override { text_ += text; }
    void endLine() override { text_ += "\r\n"; }
    void formFeed() override { text_ += '\f'; }
    Outcome close() override;

    const std::string& text() const { return text_; }

  private:
    std::filesystem::path file_;
    std::string text_;
};

} // namespace vexa
