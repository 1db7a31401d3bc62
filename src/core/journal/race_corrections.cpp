#include "journal/race_corrections.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace vexa {

namespace {

template <typename Number> bool number(const std::string& text, Number& value) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc{} && res.ptr == text.data() + text.size();
}

std::string secondsText(double s) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, s);
    return std::string(buf, res.ptr);
}

ScriptEvent keyEvent(int64_t ms, char key) {
    ScriptEvent e;
    e.ms = ms;
    e.kind = ScriptEvent::Kind::Key;
    e.data = std::string(1, key);
    return e;
}

ScriptEvent actionEvent(int64_t ms, const char* action, int argument = 0) {
    ScriptEvent e;
    e.ms = ms;
    e.kind = ScriptEvent::Kind::Action;
    e.action = action;
    e.argument = argument;
    return e;
}

int lapsBefore(const RaceTrace& trace, size_t i, int car) {
    return i == 0 ? 0 : trace.lapsAfter[i - 1][static_cast<size_t>(car)];
}

// Why the transponder's passings cannot be given to the car; empty when they can.
std::string assignmentProblem(const Correction& c, const RaceTrace& trace) {
    const std::string transponder = "transponder " + std::to_string(c.transponder);
    const auto car = std::find_if(trace.entrants.begin(), trace.entrants.end(),
                                  [&c](const TracedEntrant& e) { return e.car == c.car; });
    if (car == trace.entrants.end() || car->id <= 0)
        return "car " + std::to_string(c.car) + " has no driver in this race to give the laps to";
    const auto holder =
        std::find_if(trace.entrants.begin(), trace.entrants.end(),
                     [&c](const TracedEntrant& e) { return e.transponder == c.transponder; });
    if (holder == trace.entrants.end())
        return "no car with " + transponder + " was counted in this race";
    if (holder->id > 0)
        return transponder + " is car " + std::to_string(holder->car) +
               "'s in this race, not an unknown car's";
    return {};
}

} // namespace

char carKey(int car) {
    static const char Keys[] = "1234567890QWERTYUIOP";
    return car >= 1 && car <= 20 ? Keys[car - 1] : 0;
}

std::optional<Correction> parseCorrection(const std::vector<std::string>& w, std::string& error) {
    Correction c;
    const std::string kind = w.empty() ? std::string{} : w[0];
    if (kind == "assign-transponder") {
        c.kind = Correction::Kind::AssignTransponder;
        if (w.size() == 3 && number(w[1], c.transponder) && c.transponder >= 1 &&
            number(w[2], c.car) && c.car >= 1)
            return c;
        error = "the correction assign-transponder needs a transponder number and a car number";
        return std::nullopt;
    }
    size_t arguments = 1;
    if (kind == "remove-passing") {
        c.kind = Correction::Kind::RemovePassing;
        arguments = 2;
    } else if (kind == "add-lap") {
        c.kind = Correction::Kind::AddLap;
        arguments = 2;
    } else if (kind == "penalty") {
        c.kind = Correction::Kind::Penalty;
    } else if (kind == "take-back-penalty") {
        c.kind = Correction::Kind::TakeBackPenalty;
    } else if (kind == "set") {
        c.kind = Correction::Kind::SetResult;
        arguments = 3;
    } else {
        error = "a correction is remove-passing CAR LAP, add-lap CAR SECONDS, penalty CAR, "
                "take-back-penalty CAR, set CAR LAPS SECONDS or assign-transponder TRANSPONDER "
                "CAR";
        return std::nullopt;
    }
    bool ok = w.size() == arguments + 1 && number(w[1], c.car) && c.car >= 1;
    if (ok && c.kind == Correction::Kind::RemovePassing) ok = number(w[2], c.lap) && c.lap >= 1;
    if (ok && c.kind == Correction::Kind::AddLap)
        ok = number(w[2], c.seconds) && std::isfinite(c.seconds) && c.seconds > 0;
    if (ok && c.kind == Correction::Kind::SetResult)
        ok = number(w[2], c.laps) && number(w[3], c.time) && std::isfinite(c.time) && c.laps >= -1;
    if (!ok) {
        error = "the correction " + kind + " needs " +
                (arguments == 1 ? std::string("a car number")
                 : arguments == 3
                     ? std::string("a car number, laps and seconds")
                     : std::string("a car number and a ") +
                           (c.kind == Correction::Kind::AddLap ? "race second" : "lap number"));
        return std::nullopt;
    }
    return c;
}

std::string correctionText(const Correction& c) {
    const std::string car = std::to_string(c.car);
    switch (c.kind) {
    case Correction::Kind::RemovePassing:
        return "remove-passing " + car + " " + std::to_string(c.lap);
    case Correction::Kind::AddLap:
        return "add-lap " + car + " " + secondsText(c.seconds);
    case Correction::Kind::Penalty:
        return "penalty " + car;
    case Correction::Kind::TakeBackPenalty:
        return "take-back-penalty " + car;
    case Correction::Kind::SetResult:
        return "set " + car + " " + std::to_string(c.laps) + " " + secondsText(c.time);
    case Correction::Kind::AssignTransponder:
        return "assign-transponder " + std::to_string(c.transponder) + " " + car;
    }
    return {};
}

std::vector<Correction> readCorrections(const std::string& text) {
    std::vector<Correction> out;
    std::istringstream lines(text);
    std::string line, error;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (auto c = parseCorrection(w, error)) out.push_back(*c);
    }
    return out;
}

CorrectedInputs applyCorrection(const Correction& c, const std::vector<ScriptEvent>& inputs,
                                const RaceTrace& trace) {
    CorrectedInputs out{inputs, {}};
    const size_t first = trace.firstInput;
    const size_t count = trace.lapsAfter.size();
    const std::string car = "car " + std::to_string(c.car);
    if (c.car > 20 && c.kind != Correction::Kind::SetResult) {
        out.message = "only cars 1 to 20 have passings to correct";
        return out;
    }
    const auto at = [&](size_t i) { return out.inputs.begin() + static_cast<std::ptrdiff_t>(i); };
    switch (c.kind) {
    case Correction::Kind::RemovePassing:
        for (size_t i = 0; i < count; ++i) {
            if (lapsBefore(trace, i, c.car) != c.lap - 1 ||
                trace.lapsAfter[i][static_cast<size_t>(c.car)] != c.lap)
                continue;
            for (int other = 1; other <= 20; ++other)
                if (other != c.car &&
                    lapsBefore(trace, i, other) != trace.lapsAfter[i][static_cast<size_t>(other)]) {
                    out.message = "the passing of lap " + std::to_string(c.lap) + " of " + car +
                                  " came in one record with another car's; it cannot be "
                                  "removed alone";
                    return out;
                }
            out.inputs.erase(at(first + i));
            return out;
        }
        out.message = car + " has no lap " + std::to_string(c.lap) + " in this race";
        return out;
    case Correction::Kind::AddLap: {
        const int64_t ms = trace.startMs + std::llround(c.seconds * 1000.0);
        size_t i = 0;
        while (i < count && inputs[first + i].ms <= ms) ++i;
        const bool keysOn =
            i < count ? trace.keysOnBefore[i] : (count > 0 && trace.keysOnBefore[count - 1]);
        std::vector<ScriptEvent> added;
        if (!keysOn) added.push_back(actionEvent(ms, "keys"));
        added.push_back(keyEvent(ms, carKey(c.car)));
        if (!keysOn) added.push_back(actionEvent(ms, "keys"));
        out.inputs.insert(at(first + i), added.begin(), added.end());
        return out;
    }
    case Correction::Kind::Penalty:
        // Given as the car's first lap is counted: early enough for the engine to take it.
        for (size_t i = 0; i < count; ++i) {
            if (trace.lapsAfter[i][static_cast<size_t>(c.car)] < 1) continue;
            out.inputs.insert(at(first + i + 1),
                              actionEvent(inputs[first + i].ms, "penalty", c.car));
            return out;
        }
        out.message = car + " has no lap in this race";
        return out;
    case Correction::Kind::TakeBackPenalty:
        for (size_t i = count; i-- > 0;) {
            const ScriptEvent& e = inputs[first + i];
            if (e.kind == ScriptEvent::Kind::Action && e.action == "penalty" &&
                e.argument == c.car) {
                out.inputs.erase(at(first + i));
                return out;
            }
        }
        out.message = car + " has no time penalty in this race";
        return out;
    case Correction::Kind::SetResult:
        return out;
    case Correction::Kind::AssignTransponder:
        out.message = assignmentProblem(c, trace);
        return out;
    }
    return out;
}

} // namespace vexa
