#pragma once

#include "journal/journal_folder.h"
#include "journal/journal_records.h"
#include "model/outcome.h"
#include "race/race_script.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vexa {

struct EventData;
struct ProgSettings;

// The inputs of a sitting's journals, one after another.
std::vector<ScriptEvent> sittingInputs(const std::vector<JournalFile>& sitting);

// Why a sitting's journals do not hold its run as it went, or empty when they do: a journal of
// the sitting missing (or unreadable from its first record), or one before the last without the
// end of its race (a later race of a run begins only once the race before it is stored).
std::string sittingDamage(const std::vector<JournalFile>& sitting);

// What `vexa-cli race --resume` does with a script, given the latest sitting's journals.
struct ScriptResume {
    enum class Kind {
        Fresh,    // no journal of this script: it is run from its start as usual
        Resume,   // the sitting's journals are replayed, then the script carries on
        Mismatch, // an unfinished journal holds other inputs than the script
        Damaged,  // the sitting's journals lost records: the run cannot be put back
    };
    Kind kind = Kind::Fresh;
    // The script to run: the journals' inputs, then the script's events they do not hold.
    RaceScript script;
    size_t journaled = 0; // script events the journals already hold
    int storedRaces = 0;  // races of the sitting whose results were stored
    std::string message;
};
// The journals keep the decoder's bytes thinned as `countingDevice` (the settings' number) reads
// them.
ScriptResume planScriptResume(const std::vector<JournalFile>& sitting, const RaceScript& script,
                              int races, int countingDevice);

// Puts the event back as it stood when the sitting began: the sitting's first race is the
// current one, and every entrant of the sitting's races has the result in that race's round
// that he had before it. Replaying the sitting then stores each race again as it was stored.
void restoreSittingStart(const std::vector<JournalFile>& sitting, ProgSettings& settings,
                         EventData& event);

// Puts the event folder's upload file back as it stood when the first of the sitting's races
// ended, before any race of the sitting went into it; what a race of the sitting had staged for
// it goes too. Replaying the sitting then writes each race's run into it once, as a run that
// never stopped does. Nothing changes when no journal of the sitting knows the file's size.
Outcome restoreUploadFile(const std::vector<JournalFile>& sitting,
                          const std::filesystem::path& eventDir);

// What the operator is told when the race the program left unfinished cannot be put back because
// its journal lost records in its midst; the journal is then set aside as `keptAs`.
std::string damagedJournalNotice(const JournalFile& journal, const std::filesystem::path& keptAs);
// Sets a damaged journal aside beside it (".damaged" added), so that it is not offered again;
// where it went.
std::filesystem::path setDamagedJournalAside(const JournalFile& journal);

// The question of a program started on an event whose race was not finished.
std::string unfinishedRaceQuestion(const JournalFile& journal);
inline constexpr const char* StoreAsItStoodQuestion =
    "Store the race's results as they stood when the program stopped?";

// What the operator is told after a race resumed at `nowMs`: passings that came while the
// program was stopped were not received. The journal's last kept record is the latest moment the
// race is known at, so the gap is counted from there. Empty when it is under a second.
std::string resumeGapNotice(const Journal& journal, int64_t nowMs);

// The operator chose to leave an unfinished race as it is: its journal says so, and is not
// offered again.
Outcome leaveJournal(const std::filesystem::path& path, int64_t ms);

} // namespace vexa
