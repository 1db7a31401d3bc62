#include "race/race_action.h"

#include <array>
#include <utility>

namespace vexa {

namespace {

// The words as scripts and journals write them; a journal written before reads the same.
constexpr std::array<std::pair<std::string_view, RaceAction>, 13> Words = {{
    {"start", RaceAction::Start},
    {"pause", RaceAction::Pause},
    {"resume", RaceAction::Resume},
    {"reset", RaceAction::Reset},
    {"plus1", RaceAction::PlusOne},
    {"plus5", RaceAction::PlusFive},
    {"readorder", RaceAction::ReadOrder},
    {"keys", RaceAction::Keys},
    {"restart", RaceAction::Restart},
    {"endrace", RaceAction::EndRace},
    {"penalty", RaceAction::Penalty},
    {"reprint", RaceAction::Reprint},
    {"equipment", RaceAction::Equipment},
}};

} // namespace

std::string_view raceActionWord(RaceAction action) {
    for (const auto& [word, a] : Words)
        if (a == action) return word;
    return {};
}

std::optional<RaceAction> raceActionOfWord(std::string_view word) {
    for (const auto& [w, action] : Words)
        if (w == word) return action;
    return std::nullopt;
}

} // namespace vexa
