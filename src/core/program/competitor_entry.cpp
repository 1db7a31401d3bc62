#include "program/competitor_entry.h"

#include "base/plain_text.h"
#include "base/whole_number.h"
#include "program/event_saves.h"
#include "program/program.h"
#include "settings/ini_file.h"

#include <algorithm>

namespace vexa {

namespace {

std::string cut(const std::string& text, size_t capacity) {
    return text.size() > capacity ? text.substr(0, capacity) : text;
}

} // namespace

std::string idRangeMessage() {
    return "Remember numbers are from 1 to " + std::to_string(MaxCompetitors);
}

CompetitorEntry::CompetitorEntry(Program& program)
    : program_(program), shownResults_(resultRows(program.event.cptres[1])) {}

const comp_ent& CompetitorEntry::competitor() const {
    return program_.event.competitor(id_);
}

comp_ent& CompetitorEntry::shown() {
    return program_.event.competitor(id_);
}

void CompetitorEntry::show(int id) {
    id_ = validId(id) ? id : 1;
    comp_ent& c = shown();
    if (!c.inUse()) c.setNoFreqNeeded(!program_.settings.requiresFreq);
    shownResults_ = resultRows(program_.event.cptres[id_]);
}

std::optional<std::string> CompetitorEntry::showTyped(const std::string& text,
                                                      const ResultRows& typed) {
    storeResults(typed);
    if (trimBlanks(text).empty()) {
        show(1);
        return std::nullopt;
    }
    const auto id = parseWholeNumber(text);
    if (id && validId(*id)) {
        show(*id);
        return std::nullopt;
    }
    show(1);
    return idRangeMessage();
}

void CompetitorEntry::back(const ResultRows& typed) {
    storeResults(typed);
    show(std::max(id_ - 1, 1));
}

void CompetitorEntry::forward(const ResultRows& typed) {
    storeResults(typed);
    const int classShown = shown().classno;
    const int next = std::min(id_ + 1, MaxCompetitors);
    if (next != id_ && !program_.event.competitor(next).inUse())
        program_.event.competitor(next).classno = static_cast<int8_t>(classShown);
    show(next);
}

void CompetitorEntry::setName(const std::string& text) {
    shown().name = cut(text, NameCapacity);
}

void CompetitorEntry::capitaliseName() {
    shown().name = capitaliseWords(shown().name);
}

void CompetitorEntry::setClass(int classno) {
    shown().classno = static_cast<int8_t>(std::clamp(classno, 0, MaxClasses - 1));
}

void CompetitorEntry::setNoFreqNeeded(bool on) {
    shown().setNoFreqNeeded(on);
}

std::optional<std::string> CompetitorEntry::setAbility(const std::string& text) {
    const int typed = std::max(parseWholeNumber(text).value_or(0), 0);
    shown().ability = static_cast<int8_t>(std::min(typed, 100));
    if (typed > 100) return std::string("100");
    return std::nullopt;
}

void CompetitorEntry::setMemno(const std::string& text) {
    shown().memno = cut(text, MemnoCapacity);
}

void CompetitorEntry::setTransponder(const std::string& text) {
    constexpr int MaxTransponder = 9999999; // seven digits
    const int typed = parseWholeNumber(text).value_or(0);
    shown().transponder = typed >= 0 && typed <= MaxTransponder ? typed : 0;
}

void CompetitorEntry::setEnabled(bool on) {
    shown().enabled = on ? 'Y' : 'N';
}

void CompetitorEntry::setPicture(const std::string& name) {
    shown().picture = name;
}

std::string CompetitorEntry::abilityText() const {
    return competitor().ability == 0 ? std::string() : std::to_string(competitor().ability);
}

std::string CompetitorEntry::transponderText() const {
    return competitor().transponder == 0 ? std::string() : std::to_string(competitor().transponder);
}

std::string CompetitorEntry::className() const {
    return program_.settings.classSetup(competitor().classno).name;
}

std::string CompetitorEntry::freqText() const {
    return competitorFreqText(competitor(), program_.freqnames, program_.settings.racingHeats,
                              "None");
}

void CompetitorEntry::storeResults(const ResultRows& typed) {
    storeTypedResults(program_.event, id_, shownResults_, typed);
    shownResults_ = resultRows(program_.event.cptres[id_]);
}

Outcome CompetitorEntry::hide(const ResultRows& typed) {
    storeResults(typed);
    return saveCompetitorsAndResults(program_);
}

} // namespace vexa
