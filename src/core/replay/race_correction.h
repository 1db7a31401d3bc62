#pragma once

#include "base/local_moment.h"
#include "journal/race_corrections.h"
#include "model/outcome.h"
#include "replay/journal_replay.h"

#include <functional>
#include <string>
#include <vector>

namespace vexa {

// A correction made on a stored race: what the car's result became, and what went wrong on the
// way (each a message for the operator). `outcome` fails when nothing was changed or a file of
// the change could not be written.
struct RaceCorrectionResult {
    Outcome outcome;
    std::string change; // "Car 3, Name: 12 laps 301.234 s -> 11 laps 290.100 s"
    int id = 0;         // the competitor whose result it was
    std::vector<std::string> messages;
};

// Makes a correction on the race of an opened journal: the race is run again through the engine
// with every correction made so far, its results stored, its page, upload file and the round's
// pages written again, the correction kept beside the journal, and one line written to
// audit.log in the event folder (local time, race, round, car and driver, old -> new, the
// correction and the reason). `now` is the local time of the audit line and of the pages.
RaceCorrectionResult correctStoredRace(JournalReplay& replay, const Correction& correction,
                                       const std::string& reason,
                                       const std::function<LocalMoment()>& now);

} // namespace vexa
