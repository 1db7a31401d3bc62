#include "program/transponder_desk.h"

#include "base/whole_number.h"
#include "program/event_saves.h"
#include "program/program.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr long long MaxLoanNumber = 9999999;

std::string named(int32_t number) {
    return "The loan transponder " + std::to_string(number);
}

} // namespace

TransponderDesk::TransponderDesk(std::filesystem::path file) : file_(std::move(file)) {
    reload();
}

void TransponderDesk::reload() {
    list_ = loadHouseTransponders(file_);
}

const HouseTransponder* TransponderDesk::find(int32_t number) const {
    const auto it = std::find_if(list_.begin(), list_.end(), [number](const HouseTransponder& t) {
        return t.number == number;
    });
    return it == list_.end() ? nullptr : &*it;
}

Outcome TransponderDesk::save(HouseTransponders changed) {
    std::sort(
        changed.begin(), changed.end(),
        [](const HouseTransponder& a, const HouseTransponder& b) { return a.number < b.number; });
    if (Outcome saved = saveHouseTransponders(file_, changed); !saved) return saved;
    list_ = std::move(changed);
    return Outcome::success();
}

Outcome TransponderDesk::add(const std::string& numberText, const std::string& label) {
    reload();
    const auto number = heldWholeNumber(numberText, MaxLoanNumber + 1);
    if (!number || *number < 1 || *number > MaxLoanNumber)
        return Outcome::failure("A loan transponder's number is a whole number from 1 to " +
                                std::to_string(MaxLoanNumber));
    const auto n = static_cast<int32_t>(*number);
    if (find(n)) return Outcome::failure(named(n) + " is in the list already");
    HouseTransponders changed = list_;
    changed.push_back({n, label, std::nullopt});
    return save(std::move(changed));
}

Outcome TransponderDesk::remove(int32_t number) {
    reload();
    const HouseTransponder* t = find(number);
    if (!t) return Outcome::failure(named(number) + " is not in the list");
    if (t->loan)
        return Outcome::failure(named(number) + " is lent to " + t->loan->driver +
                                ": return it first");
    HouseTransponders changed = list_;
    changed.erase(changed.begin() + (t - list_.data()));
    return save(std::move(changed));
}

Outcome TransponderDesk::lend(int32_t number, EventData& event, const std::string& eventName,
                              int id) {
    reload();
    const HouseTransponder* t = find(number);
    if (!t) return Outcome::failure(named(number) + " is not in the list");
    if (t->loan) return Outcome::failure(named(number) + " is already lent to " + t->loan->driver);
    if (!validId(id) || !event.competitor(id).inUse())
        return Outcome::failure("Choose a driver of the event to lend the transponder to");
    comp_ent& driver = event.competitor(id);
    if (const auto held = loanOf(eventName, id))
        return Outcome::failure(driver.name + " already has the loan transponder " +
                                std::to_string(*held));
    HouseTransponders changed = list_;
    changed[static_cast<size_t>(t - list_.data())].loan =
        TransponderLoan{eventName, id, driver.name, driver.transponder};
    if (Outcome saved = save(std::move(changed)); !saved) return saved;
    driver.transponder = number;
    return Outcome::success();
}

LoanReturn TransponderDesk::giveBack(int32_t number, EventData* event,
                                     const std::string& eventName) {
    reload();
    LoanReturn done;
    const HouseTransponder* t = find(number);
    if (!t || !t->loan) {
        done.outcome = Outcome::failure(named(number) + " is not lent out");
        return done;
    }
    const TransponderLoan loan = *t->loan;
    HouseTransponders changed = list_;
    changed[static_cast<size_t>(t - list_.data())].loan.reset();
    if (Outcome saved = save(std::move(changed)); !saved) {
        done.outcome = saved;
        return done;
    }
    if (event && loan.event == eventName && validId(loan.id) &&
        event->competitor(loan.id).transponder == number) {
        event->competitor(loan.id).transponder = loan.own;
        done.competitorChanged = true;
    }
    return done;
}

std::vector<HouseTransponder> TransponderDesk::out() const {
    std::vector<HouseTransponder> lent;
    for (const HouseTransponder& t : list_)
        if (t.loan) lent.push_back(t);
    return lent;
}

std::vector<HouseTransponder> TransponderDesk::available() const {
    std::vector<HouseTransponder> free;
    for (const HouseTransponder& t : list_)
        if (!t.loan) free.push_back(t);
    return free;
}

std::optional<int32_t> TransponderDesk::loanOf(const std::string& eventName, int id) const {
    for (const HouseTransponder& t : list_)
        if (t.loan && t.loan->event == eventName && t.loan->id == id) return t.number;
    return std::nullopt;
}

Outcome lendHouseTransponder(TransponderDesk& desk, Program& program, int32_t number, int id) {
    if (!program.eventOpen()) return Outcome::failure("Open an event first: its drivers borrow");
    if (Outcome lent = desk.lend(number, program.event, program.eventName, id); !lent) return lent;
    return saveCompetitors(program);
}

Outcome returnHouseTransponder(TransponderDesk& desk, Program& program, int32_t number) {
    const LoanReturn back =
        desk.giveBack(number, program.eventOpen() ? &program.event : nullptr, program.eventName);
    if (!back.outcome || !back.competitorChanged) return back.outcome;
    return saveCompetitors(program);
}

Outcome keepTransponderForMeeting(Program& program, int id, int32_t transponder) {
    if (!program.eventOpen() || !validId(id) || !program.event.competitor(id).inUse())
        return Outcome::failure("The driver is not in the open event: his transponder stays");
    program.event.competitor(id).transponder = transponder;
    return saveCompetitors(program);
}

std::string houseTransponderLine(const HouseTransponder& t) {
    std::string line = std::to_string(t.number);
    if (!t.label.empty()) line += "  " + t.label;
    if (t.loan) line += "  lent to " + t.loan->driver + " (" + t.loan->event + ")";
    return line;
}

std::string transpondersOutMessage(const std::vector<HouseTransponder>& out) {
    if (out.empty()) return {};
    std::string text = out.size() == 1
                           ? "A loan transponder is still out:"
                           : std::to_string(out.size()) + " loan transponders are still out:";
    for (const HouseTransponder& t : out) text += "\n" + houseTransponderLine(t);
    return text;
}

} // namespace vexa
