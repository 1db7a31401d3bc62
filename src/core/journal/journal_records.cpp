#include "journal/journal_records.h"

#include "race/hex_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <sstream>

namespace vexa {

namespace {

constexpr std::string_view Magic = "vexa-journal";
constexpr int Version = 1;
// Moments of the clock a script can name: up to 9 digits of seconds.
constexpr int64_t MaxMs = 999'999'999'999;

constexpr std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<uint32_t, 256> CrcTable = makeCrcTable();

uint32_t crc32(std::string_view text) {
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : text) c = CrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// Ends the record that starts at `from` in `out`: " *", its CRC and a line feed.
void seal(std::string& out, size_t from) {
    static const char Digits[] = "0123456789ABCDEF";
    const uint32_t crc = crc32(std::string_view(out).substr(from));
    out += " *";
    for (int shift = 28; shift >= 0; shift -= 4) out += Digits[(crc >> shift) & 15];
    out += '\n';
}

template <typename Whole> void appendWhole(std::string& out, Whole value) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

void appendNumber(std::string& out, int64_t value) {
    appendWhole(out, value);
}

void appendNumber(std::string& out, uint64_t value) {
    appendWhole(out, value);
}

void appendNumber(std::string& out, double value) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value); // shortest that reads back
    out.append(buf, res.ptr);
}

void appendRace(std::string& out, const RecordedRace& race) {
    appendNumber(out, int64_t{race.round});
    out += race.heats ? " h " : " f ";
    appendNumber(out, int64_t{race.race});
}

template <typename Number> bool parseNumber(std::string_view text, Number& value) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc{} && res.ptr == text.data() + text.size();
}

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

bool parseRace(const std::vector<std::string_view>& w, size_t at, RecordedRace& race) {
    if (at + 3 > w.size() || (w[at + 1] != "h" && w[at + 1] != "f")) return false;
    race.heats = w[at + 1] == "h";
    return parseNumber(w[at], race.round) && parseNumber(w[at + 2], race.race);
}

bool parseHeader(const std::vector<std::string_view>& w, JournalHeader& h) {
    int version = 0;
    return w.size() == 8 && w[0] == Magic && parseNumber(w[1], version) && version == Version &&
           parseNumber(w[2], h.sitting) && parseNumber(w[3], h.ordinal) &&
           parseNumber(w[4], h.startMs) && h.startMs >= 0 && h.startMs <= MaxMs &&
           parseRace(w, 5, h.race);
}

bool parseEntrant(std::string_view word, RecordedEntrant& e) {
    std::array<std::string_view, 4> parts;
    for (size_t i = 0; i < parts.size(); ++i) {
        const size_t colon = i + 1 < parts.size() ? word.find(':') : word.size();
        if (colon == std::string_view::npos) return false;
        parts[i] = word.substr(0, colon);
        word.remove_prefix(std::min(colon + 1, word.size()));
    }
    return parseNumber(parts[0], e.slot) && parseNumber(parts[1], e.id) &&
           parseNumber(parts[2], e.laps) && parseNumber(parts[3], e.time) && std::isfinite(e.time);
}

bool parseInput(const std::vector<std::string_view>& w, std::string_view body, ScriptEvent& e) {
    const std::string_view kind = w[1];
    if (kind == "action") {
        if (w.size() < 3) return false;
        e.kind = ScriptEvent::Kind::Action;
        e.action = std::string(w[2]);
        if (!isRaceAction(e.action)) return false;
        if (e.action == "penalty") return w.size() == 4 && parseNumber(w[3], e.argument);
        if (e.action == "equipment")
            return w.size() == 5 && parseNumber(w[3], e.argument) && e.argument >= 0 &&
                   e.argument <= 3 && parseNumber(w[4], e.decoderId);
        return w.size() == 3;
    }
    if (kind != "key" && kind != "decoder") return false;
    e.kind = kind == "key" ? ScriptEvent::Kind::Key : ScriptEvent::Kind::Decoder;
    const size_t dataAt = static_cast<size_t>(w[1].data() + w[1].size() - body.data());
    const auto bytes = parseHexPairs(body.substr(dataAt));
    if (!bytes || bytes->empty()) return false;
    e.data = *bytes;
    return true;
}

// One record's text (without its seal) into the journal; false when it is not a record.
bool takeRecord(std::string_view body, Journal& journal) {
    const auto w = splitWords(body);
    if (!journal.header) {
        JournalHeader h;
        if (!parseHeader(w, h)) return false;
        journal.header = h;
        return true;
    }
    int64_t ms = 0;
    if (w.size() < 2 || !parseNumber(w[0], ms) || ms < 0 || ms > MaxMs) return false;
    if (w[1] == "end" || w[1] == "left") {
        if (w.size() != 2) return false;
        if (w[1] == "end")
            journal.endMs = ms;
        else
            journal.left = true;
        return true;
    }
    if (w[1] == "upload") {
        uint64_t bytes = 0;
        if (w.size() != 3 || !parseNumber(w[2], bytes)) return false;
        if (!journal.uploadBytes) journal.uploadBytes = bytes;
        return true;
    }
    if (w[1] == "setup") {
        JournalSetUp s;
        s.ms = ms;
        if (!parseRace(w, 2, s.race)) return false;
        for (size_t i = 5; i < w.size(); ++i) {
            RecordedEntrant e;
            if (!parseEntrant(w[i], e)) return false;
            s.entrants.push_back(e);
        }
        journal.setUps.push_back(std::move(s));
        return true;
    }
    ScriptEvent e;
    e.ms = ms;
    if (!parseInput(w, body, e)) return false;
    journal.inputs.push_back(std::move(e));
    return true;
}

// The text of a sealed record, without its seal; nothing when the seal is missing or wrong.
std::optional<std::string_view> unseal(std::string_view line) {
    if (line.size() < 11 || line[line.size() - 10] != ' ' || line[line.size() - 9] != '*')
        return std::nullopt;
    const std::string_view body = line.substr(0, line.size() - 10);
    uint32_t crc = 0;
    const std::string_view digits = line.substr(line.size() - 8);
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        crc = crc * 16 + static_cast<uint32_t>(d);
    }
    if (crc != crc32(body)) return std::nullopt;
    return body;
}

std::string secondsText(int64_t ms) {
    std::string out = std::to_string(ms / 1000) + ".";
    const std::string fraction = std::to_string(ms % 1000);
    return out + std::string(3 - fraction.size(), '0') + fraction;
}

// A record of a moment alone: the clock's millisecond and a word.
std::string momentRecord(int64_t ms, const char* word) {
    std::string out;
    appendNumber(out, ms);
    out += word;
    seal(out, 0);
    return out;
}

bool scriptableKeys(const std::string& keys) {
    for (unsigned char c : keys)
        if (c <= ' ' || c >= 127) return false;
    return true;
}

} // namespace

std::string journalHeaderRecord(const JournalHeader& h) {
    std::string out(Magic);
    out += ' ';
    appendNumber(out, int64_t{Version});
    out += ' ';
    appendNumber(out, h.sitting);
    out += ' ';
    appendNumber(out, int64_t{h.ordinal});
    out += ' ';
    appendNumber(out, h.startMs);
    out += ' ';
    appendRace(out, h.race);
    seal(out, 0);
    return out;
}

void appendJournalInput(std::string& out, int64_t ms, const ScriptEvent& input) {
    const size_t from = out.size();
    appendNumber(out, ms);
    switch (input.kind) {
    case ScriptEvent::Kind::Key:
        out += " key ";
        appendHexPairs(out, input.data);
        break;
    case ScriptEvent::Kind::Decoder:
        out += " decoder ";
        appendHexPairs(out, input.data);
        break;
    case ScriptEvent::Kind::Action:
        out += " action ";
        out += input.action;
        if (input.action == "penalty" || input.action == "equipment") {
            out += ' ';
            appendNumber(out, int64_t{input.argument});
        }
        if (input.action == "equipment") {
            out += ' ';
            appendNumber(out, int64_t{input.decoderId});
        }
        break;
    }
    seal(out, from);
}

std::string journalSetUpRecord(const JournalSetUp& s) {
    std::string out;
    appendNumber(out, s.ms);
    out += " setup ";
    appendRace(out, s.race);
    for (const RecordedEntrant& e : s.entrants) {
        out += ' ';
        appendNumber(out, int64_t{e.slot});
        out += ':';
        appendNumber(out, int64_t{e.id});
        out += ':';
        appendNumber(out, int64_t{e.laps});
        out += ':';
        appendNumber(out, e.time);
    }
    seal(out, 0);
    return out;
}

std::string journalEndRecord(int64_t ms) {
    return momentRecord(ms, " end");
}

std::string journalUploadRecord(int64_t ms, uint64_t uploadBytes) {
    std::string out;
    appendNumber(out, ms);
    out += " upload ";
    appendNumber(out, uploadBytes);
    seal(out, 0);
    return out;
}

std::string journalLeftRecord(int64_t ms) {
    return momentRecord(ms, " left");
}

Journal readJournal(std::string_view bytes) {
    Journal journal;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) break;
        const auto body = unseal(bytes.substr(at, end - at));
        if (!body || !takeRecord(*body, journal)) break;
        at = end + 1;
    }
    journal.wholeBytes = at;
    journal.cut = at < bytes.size();
    for (size_t next = bytes.find('\n', at); next != std::string_view::npos && !journal.damaged;) {
        const size_t end = bytes.find('\n', next + 1);
        if (end == std::string_view::npos) break;
        journal.damaged = unseal(bytes.substr(next + 1, end - next - 1)).has_value();
        next = end;
    }
    return journal;
}

std::string journalAsScript(const Journal& journal) {
    std::ostringstream out;
    if (journal.header) {
        const RecordedRace& r = journal.header->race;
        out << "# race journal: round " << r.round << (r.heats ? ", heat " : ", final ") << r.race
            << ", countdown opened at " << secondsText(journal.header->startMs) << "\n";
    }
    for (const ScriptEvent& e : journal.inputs) {
        const std::string at = secondsText(e.ms);
        switch (e.kind) {
        case ScriptEvent::Kind::Key:
            if (scriptableKeys(e.data))
                out << at << " key " << e.data << "\n";
            else
                out << "# " << at << " key bytes " << hexPairs(e.data) << " (not scriptable)\n";
            break;
        case ScriptEvent::Kind::Decoder:
            out << at << " decoder " << hexPairs(e.data) << "\n";
            break;
        case ScriptEvent::Kind::Action:
            out << at << ' ' << e.action;
            if (e.action == "penalty") out << ' ' << e.argument;
            if (e.action == "equipment") out << ' ' << e.argument << ' ' << e.decoderId;
            out << "\n";
            break;
        }
    }
    if (journal.endMs) out << "# results stored at " << secondsText(*journal.endMs) << "\n";
    return out.str();
}

} // namespace vexa
