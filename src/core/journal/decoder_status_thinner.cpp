#include "journal/decoder_status_thinner.h"

#include "ports/timing_equipment.h"
#include "timing/p3_frame.h"

#include <algorithm>

namespace vexa {

namespace {

bool digits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An AMBrc status record, or a System 20 clock record after the first ("@00000001" answers the
// presence check), alone on its line; line feeds are no part of a line.
bool statusLine(std::string_view record) {
    // Most lines are passings: they are told by their first two characters.
    const size_t first = record.find_first_not_of('\n');
    if (first == std::string_view::npos) return false;
    if (record[first] == '\x01') {
        const size_t type = record.find_first_not_of('\n', first + 1);
        if (type == std::string_view::npos || record[type] != '#') return false;
    } else if (record[first] != '@') {
        return false;
    }
    std::string text;
    for (char c : record)
        if (c != '\n' && c != '\r') text += c;
    if (text.find('\b') != std::string::npos) return false;
    if (text.size() >= 2 && text[0] == '\x01' && text[1] == '#')
        return text.find('\x01', 1) == std::string::npos;
    return text.size() == 9 && text.starts_with("@00") && digits(text.substr(3)) &&
           text != "@00000001";
}

// A P3 frame, SOR to EOR, whose record type is STATUS.
bool statusFrame(std::string_view frame) {
    uint8_t header[P3HeaderLength]{};
    size_t n = 0;
    for (size_t i = 0; i < frame.size() && n < P3HeaderLength; ++i) {
        const auto b = static_cast<uint8_t>(frame[i]);
        if (b == P3Byte::Escape && i + 1 < frame.size())
            header[n++] =
                static_cast<uint8_t>(static_cast<uint8_t>(frame[++i]) - P3Byte::EscapeShift);
        else
            header[n++] = b;
    }
    return n == P3HeaderLength && (header[8] | header[9] << 8) == static_cast<int>(P3Tor::Status);
}

} // namespace

void DecoderStatusThinner::countingDevice(int device) {
    const bool p3 = countingDeviceFromSetting(device) == CountingDevice::P3;
    if (p3 != p3_) lineStart_ = true; // the equipment taken anew reads its records afresh
    p3_ = p3;
}

bool DecoderStatusThinner::leaveOut(std::string_view record, int64_t ms) {
    if (!(p3_ ? statusFrame(record) : statusLine(record))) return false;
    if (lastKept_ >= 0 && ms >= lastKept_ && ms - lastKept_ < KeepIntervalMs) {
        ++leftOut_;
        if (++sinceKept_ > FloodCount) flooding_ = true;
        return true;
    }
    lastKept_ = ms;
    sinceKept_ = 0;
    return false;
}

std::string DecoderStatusThinner::keep(std::string_view bytes, int64_t ms) {
    std::string out;
    out.reserve(bytes.size());
    size_t from = 0;                 // where the record now read began in these bytes
    bool whole = !p3_ && lineStart_; // and whether it began with them
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        if (p3_ && b == P3Byte::Start) {
            // A frame begins here, whatever came before it.
            out.append(bytes.substr(from, i - from));
            from = i;
            whole = true;
            continue;
        }
        if (b != (p3_ ? P3Byte::End : '\r')) continue;
        // The line feeds after a line's end go with it: the line assembler skips them.
        while (!p3_ && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        const std::string_view record = bytes.substr(from, i + 1 - from);
        if (!(whole && leaveOut(record, ms))) out.append(record);
        from = i + 1;
        whole = !p3_; // a line begins right after a line; a frame only at its SOR
    }
    const std::string_view rest = bytes.substr(from);
    out.append(rest);
    if (!p3_)
        lineStart_ = (from > 0 || lineStart_) &&
                     std::all_of(rest.begin(), rest.end(), [](char c) { return c == '\n'; });
    return out;
}

JournaledEvents journaledEvents(const std::vector<ScriptEvent>& script, int countingDevice) {
    JournaledEvents journaled;
    DecoderStatusThinner thinner;
    thinner.countingDevice(countingDevice);
    for (size_t i = 0; i < script.size(); ++i) {
        ScriptEvent e = script[i];
        if (e.kind == ScriptEvent::Kind::Action && e.action == "equipment")
            thinner.countingDevice(e.argument);
        if (e.kind == ScriptEvent::Kind::Decoder) {
            e.data = thinner.keep(e.data, e.ms);
            if (e.data.empty()) continue;
        }
        journaled.events.push_back(std::move(e));
        journaled.scriptIndex.push_back(i);
    }
    return journaled;
}

} // namespace vexa
