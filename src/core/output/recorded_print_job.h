#pragma once

#include "ports/print_stream.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// A print job kept as the commands that make it: laid out now, printed later on a real stream,
// and written down as text so that a job waiting to be printed outlives a crash.
class RecordedPrintJob : public PrintStream {
  public:
    Outcome open() override;
    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void setFontStyle(FontStyle style) override;
    void write(const std::string& text) override;
    void endLine() override;
    void formFeed() override;
    Outcome close() override { return Outcome::success(); }

    // Prints the job on `out`, from open() to close(); the first failure stops it.
    Outcome printOn(PrintStream& out) const;

    // The job as lines of text, one command a line; `fromText` reads it back, or nothing when
    // the text is not such a job.
    std::string text() const;
    static std::optional<RecordedPrintJob> fromText(std::string_view text);

    bool operator==(const RecordedPrintJob& other) const { return commands_ == other.commands_; }

  private:
    enum class Op : char {
        FontName = 'N',
        FontSize = 'S',
        FontStyle = 'Y',
        Write = 'W',
        EndLine = 'L',
        FormFeed = 'F',
    };
    struct Command {
        Op op;
        std::string text; // the font name or the text written
        int value = 0;    // the size, or the style as bits (bold 1, italic 2, underline 4)
        bool operator==(const Command&) const = default;
    };
    std::vector<Command> commands_;
};

} // namespace vexa
