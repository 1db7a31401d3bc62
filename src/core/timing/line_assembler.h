#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace vexa {

// Turns the bytes of a decoder or controller link into lines. A backspace (0x08) removes the last
// character of the line, a line feed (0x0A) is ignored, a carriage return (0x0D) completes the
// line, any other byte is appended. An unfinished line stays for the next block of bytes.
//
// A line that grows to `MaxLineLength` bytes without a carriage return loses its oldest bytes,
// keeping the last `KeptOnOverflow`: a stream of garbage cannot exhaust memory, and a record that
// follows it on the same line (it starts within those last bytes) still comes out whole with the
// carriage return that ends it. Where the record starts in its line is the reader's business.
class LineAssembler {
  public:
    static constexpr size_t MaxLineLength = 1024;
    static constexpr size_t KeptOnOverflow = 256;

    // Calls `onLine(std::string_view)` for every line completed by these bytes, in order. The
    // bytes are searched for the next control byte rather than taken one by one; a whole line
    // within the bytes goes out without being copied.
    template <class OnLine> void feed(std::string_view bytes, OnLine&& onLine) {
        while (!bytes.empty()) {
            const size_t at = bytes.find_first_of(ControlBytes);
            const std::string_view text = bytes.substr(0, at);
            if (at == std::string_view::npos) {
                append(text);
                return;
            }
            const char control = bytes[at];
            bytes.remove_prefix(at + 1);
            if (control == '\r' && line_.empty() && text.size() <= MaxLineLength) {
                onLine(text);
                continue;
            }
            append(text);
            if (control == '\b') {
                if (!line_.empty()) line_.pop_back();
            } else if (control == '\r') {
                onLine(std::string_view(line_));
                line_.clear();
            }
        }
    }

    // Forgets the unfinished line (a link was closed or reopened).
    void reset() { line_.clear(); }

    const std::string& pending() const { return line_; }
    // Bytes dropped from the front of overlong lines, since construction.
    size_t droppedBytes() const { return droppedBytes_; }

  private:
    static constexpr std::string_view ControlBytes{"\b\n\r", 3};

    // Appends text to the unfinished line; a line at its longest loses its oldest bytes first.
    void append(std::string_view text) {
        while (!text.empty()) {
            if (line_.size() == MaxLineLength) {
                const size_t dropped = MaxLineLength - KeptOnOverflow;
                line_.erase(0, dropped);
                droppedBytes_ += dropped;
            }
            const size_t taken = std::min(text.size(), MaxLineLength - line_.size());
            line_.append(text.substr(0, taken));
            text.remove_prefix(taken);
        }
    }

    std::string line_;
    size_t droppedBytes_ = 0;
};

} // namespace vexa
