#include "output/recorded_print_job.h"

#include <charconv>

namespace vexa {

namespace {

int styleBits(FontStyle style) {
    return (style.bold ? 1 : 0) | (style.italic ? 2 : 0) | (style.underline ? 4 : 0);
}

FontStyle styleOf(int bits) {
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

// A text on one line: the backslash, the line feed and the carriage return escaped.
void appendEscaped(std::string& out, const std::string& text) {
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == '\\')
            out += '\\';
        else if (text[i] == 'n')
            out += '\n';
        else if (text[i] == 'r')
            out += '\r';
        else
            return std::nullopt;
    }
    return out;
}

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace

Outcome RecordedPrintJob::open() {
    commands_.clear();
    return Outcome::success();
}

void RecordedPrintJob::setFontName(const std::string& name) {
    commands_.push_back({Op::FontName, name, 0});
}

void RecordedPrintJob::setFontSize(int points) {
    commands_.push_back({Op::FontSize, {}, points});
}

void RecordedPrintJob::setFontStyle(FontStyle style) {
    commands_.push_back({Op::FontStyle, {}, styleBits(style)});
}

void RecordedPrintJob::write(const std::string& text) {
    commands_.push_back({Op::Write, text, 0});
}

void RecordedPrintJob::endLine() {
    commands_.push_back({Op::EndLine, {}, 0});
}

void RecordedPrintJob::formFeed() {
    commands_.push_back({Op::FormFeed, {}, 0});
}

Outcome RecordedPrintJob::printOn(PrintStream& out) const {
    if (Outcome opened = out.open(); !opened) return opened;
    for (const Command& c : commands_) {
        switch (c.op) {
        case Op::FontName:
            out.setFontName(c.text);
            break;
        case Op::FontSize:
            out.setFontSize(c.value);
            break;
        case Op::FontStyle:
            out.setFontStyle(styleOf(c.value));
            break;
        case Op::Write:
            out.write(c.text);
            break;
        case Op::EndLine:
            out.endLine();
            break;
        case Op::FormFeed:
            out.formFeed();
            break;
        }
    }
    return out.close();
}

std::string RecordedPrintJob::text() const {
    std::string out;
    for (const Command& c : commands_) {
        out += static_cast<char>(c.op);
        if (c.op == Op::FontName || c.op == Op::Write) appendEscaped(out, c.text);
        if (c.op == Op::FontSize || c.op == Op::FontStyle) out += std::to_string(c.value);
        out += '\n';
    }
    return out;
}

std::optional<RecordedPrintJob> RecordedPrintJob::fromText(std::string_view text) {
    RecordedPrintJob job;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt; // a torn last line
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line.empty()) return std::nullopt;
        const std::string_view argument = line.substr(1);
        const Op op = static_cast<Op>(line[0]);
        switch (op) {
        case Op::FontName:
        case Op::Write: {
            std::optional<std::string> value = unescaped(argument);
            if (!value) return std::nullopt;
            job.commands_.push_back({op, std::move(*value), 0});
            break;
        }
        case Op::FontSize:
        case Op::FontStyle: {
            const std::optional<int> value = number(argument);
            if (!value) return std::nullopt;
            job.commands_.push_back({op, {}, *value});
            break;
        }
        case Op::EndLine:
        case Op::FormFeed:
            if (!argument.empty()) return std::nullopt;
            job.commands_.push_back({op, {}, 0});
            break;
        default:
            return std::nullopt;
        }
    }
    return job;
}

} // namespace vexa
