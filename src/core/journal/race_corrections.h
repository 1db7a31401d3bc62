#pragma once

#include "race/race_script.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// A change the race director makes to a stored race, kept beside its journal (which stays as the
// race happened) and applied whenever the race is replayed.
struct Correction {
    enum class Kind {
        RemovePassing,   // the passing that counted lap `lap` of the car (a double count)
        AddLap,          // a passing the car made at race second `seconds` and nobody counted
        Penalty,         // a time penalty, as the penalty window gives it
        TakeBackPenalty, // the car's last time penalty in the race undone
        SetResult,       // laps and time set by hand
        // An unknown car's passings (transponder `transponder`) were car `car`'s: the race is run
        // with that transponder on the car's driver.
        AssignTransponder,
    };
    Kind kind = Kind::SetResult;
    int car = 0;
    int lap = 0;
    double seconds = 0.0;
    int laps = 0;
    double time = 0.0;
    int32_t transponder = 0;
};

// The words of a correction ("remove-passing CAR LAP", "add-lap CAR SECONDS", "penalty CAR",
// "take-back-penalty CAR", "set CAR LAPS SECONDS", "assign-transponder TRANSPONDER CAR");
// nothing (and `error` set) when they are not
// one.
std::optional<Correction> parseCorrection(const std::vector<std::string>& words,
                                          std::string& error);
// The same words, one line of the corrections file.
std::string correctionText(const Correction& correction);
// The corrections file: one correction a line; lines that are not one are skipped.
std::vector<Correction> readCorrections(const std::string& text);

// An entrant of the race as it ended: his car, his competitor (0 for an unknown car) and the
// transponder counted for him.
struct TracedEntrant {
    int car = 0;
    int id = 0;
    int32_t transponder = 0;
};

// What a replay of the race told about its inputs: for each input of the race (from
// `firstInput` of the replayed inputs on), the laps of cars 1..20 after it and whether the
// counting keys were on before it; the clock's millisecond of the race's start; and its
// entrants at the end.
struct RaceTrace {
    size_t firstInput = 0;
    std::vector<std::array<int, 21>> lapsAfter;
    std::vector<bool> keysOnBefore;
    int64_t startMs = 0;
    std::vector<TracedEntrant> entrants;
};

// The replayed inputs changed by a correction that changes what was counted; `message` says why
// it could not be made (the inputs then stay as they were). A set result changes no input.
struct CorrectedInputs {
    std::vector<ScriptEvent> inputs;
    std::string message;
};
CorrectedInputs applyCorrection(const Correction& correction,
                                const std::vector<ScriptEvent>& inputs, const RaceTrace& trace);

// The key that counts a car with the keys ('1'..'9', '0', 'Q'..'P'), or 0 for no such car.
char carKey(int car);

} // namespace vexa
