#include "race/race_script.h"

#include "race/hex_text.h"
#include "race/race_action.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace vexa {

namespace {

template <typename Number> bool wholeWord(const std::string& word, Number& value) {
    const auto res = std::from_chars(word.data(), word.data() + word.size(), value);
    return res.ec == std::errc{} && res.ptr == word.data() + word.size();
}

// Seconds with up to 3 decimals as whole milliseconds, without floating-point rounding.
bool parseSeconds(const std::string& text, int64_t& ms) {
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (whole.empty() || fraction.size() > 3) return false;
    for (char c : whole + fraction)
        if (c < '0' || c > '9') return false;
    if (whole.size() > 9) return false;
    fraction.resize(3, '0');
    ms = std::stoll(whole) * 1000 + std::stoll(fraction);
    return true;
}

} // namespace

bool isRaceAction(const std::string& word) {
    return raceActionOfWord(word).has_value();
}

bool RaceScript::hasDecoderBytes() const {
    return std::any_of(events.begin(), events.end(),
                       [](const ScriptEvent& e) { return e.kind == ScriptEvent::Kind::Decoder; });
}

ParsedScript parseRaceScript(const std::string& text) {
    ParsedScript out;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        out.error = "line " + std::to_string(number) + ": " + why;
        return out;
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string time, what;
        if (!(words >> time) || time[0] == '#') continue;
        ScriptEvent e;
        e.line = number;
        if (!parseSeconds(time, e.ms)) return fail("not a time in seconds: " + time);
        if (!(words >> what)) return fail("nothing happens at " + time);
        if (what == "key") {
            e.kind = ScriptEvent::Kind::Key;
            std::string keys;
            while (words >> keys) e.data += keys;
            if (e.data.empty()) return fail("no key given");
        } else if (what == "decoder") {
            e.kind = ScriptEvent::Kind::Decoder;
            std::string byte;
            while (words >> byte) {
                if (byte.size() != 2 || hexDigit(byte[0]) < 0 || hexDigit(byte[1]) < 0)
                    return fail("not a hexadecimal byte: " + byte);
                e.data += static_cast<char>(hexDigit(byte[0]) * 16 + hexDigit(byte[1]));
            }
            if (e.data.empty()) return fail("no decoder bytes given");
        } else if (isRaceAction(what)) {
            e.kind = ScriptEvent::Kind::Action;
            e.action = what;
            if (what == "penalty") {
                std::string car;
                if (!(words >> car)) return fail("penalty needs a car number");
                if (!wholeWord(car, e.argument)) return fail("not a car number: " + car);
            } else if (what == "equipment") {
                std::string device, id;
                if (!(words >> device >> id) || !wholeWord(device, e.argument) || e.argument < 0 ||
                    e.argument > 3 || !wholeWord(id, e.decoderId))
                    return fail("equipment needs a device from 0 to 3 and a decoder id");
            }
        } else {
            return fail("unknown event: " + what);
        }
        std::string extra;
        if (e.kind == ScriptEvent::Kind::Action && (words >> extra))
            return fail("unexpected text after " + what + ": " + extra);
        out.script.events.push_back(std::move(e));
    }
    std::stable_sort(out.script.events.begin(), out.script.events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.ms < b.ms; });
    return out;
}

} // namespace vexa
