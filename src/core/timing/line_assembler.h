#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexa {

// Turns the bytes of a decoder or controller link into lines. A backspace (0x08) removes the last
// character of the line, a line feed (0x0A) is ignored, a carriage return (0x0D) completes the
// line, any other byte is appended. An unfinished line stays for the next block of bytes.
//
// A line that grows beyond `MaxLineLength` without a carriage return is thrown away together
// with everything up to the next carriage return, so that a stream of garbage can neither
// exhaust memory nor be mistaken for a record.
class LineAssembler {
  public:
    static constexpr size_t MaxLineLength = 1024;

    // Calls `onLine(std::string_view)` for every line completed by these bytes, in order.
    template <class OnLine> void feed(std::string_view bytes, OnLine&& onLine) {
        for (char c : bytes) {
            switch (c) {
            case '\b':
                if (!overflowing_ && !line_.empty()) line_.pop_back();
                break;
            case '\n':
                break;
            case '\r':
                if (!overflowing_) onLine(std::string_view(line_));
                line_.clear();
                overflowing_ = false;
                break;
            default:
                if (overflowing_) break;
                if (line_.size() == MaxLineLength) {
                    line_.clear();
                    overflowing_ = true;
                    ++discardedLines_;
                    break;
                }
                line_.push_back(c);
            }
        }
    }

    // Forgets the unfinished line (a link was closed or reopened).
    void reset() {
        line_.clear();
        overflowing_ = false;
    }

    const std::string& pending() const { return line_; }
    // Lines thrown away for being too long, since construction.
    size_t discardedLines() const { return discardedLines_; }

  private:
    std::string line_;
    bool overflowing_ = false;
    size_t discardedLines_ = 0;
};

} // namespace vexa
