#include "race/race_engine.h"

#include "files/event_files.h"
#include "model/event_data.h"
#include "race/consecutive_laps.h"
#include "race/sound_table.h"
#include "settings/prog_settings.h"

#include <algorithm>
#include <utility>

namespace vexa {

void RaceEngine::StoreRaceResults() {
    const bool clr = data_.settings.clr;
    for (const auto& d : race_drivers) {
        if (d.compno <= 0) continue; // unknown cars have no competitor to hold a result
        if (clr)
            data_.event.storeResult(d.compno, RoundNumber, d.clrlapcount, d.clrtime);
        else
            data_.event.storeResult(d.compno, RoundNumber, d.lapcount, d.lastpass);
    }
}

void RaceEngine::endOfRaceProcessing() {
    ProgSettings& settings = data_.settings;
    SortRunningOrder();
    if (settings.clr)
        for (auto& d : race_drivers) consecutiveLapsResult(d, settings.clrLaps);

    // The race is stored (results, then the race number) before any output is made, so that a
    // crash during the outputs neither loses the race nor runs it again. The upload entry is
    // written ahead of it, so that such a crash cannot lose it either: it is written once the
    // results are in the event, so that it can tell whether the results file holds them.
    const bool upload = countsLikeAmbrc(countDevice());
    StoreRaceResults();
    if (upload) ports_.outputs.prepareUploadFile(finishedRace());
    lastOfTable_ = !raceHasDrivers(RaceNumber + 1);
    pendingSave_ = PendingSave::Results;
    const bool saved = saveStoredRace();

    if (settings.printRaceResults) ports_.outputs.printRaceLapTimes(finishedRace(), Copies);
    ports_.outputs.writeRaceResultsPage(finishedRace());
    if (upload) ports_.outputs.writeUploadFile(finishedRace());

    const int L = leader();
    if (RaceKind == HeatRace && L >= 0) {
        const RaceDriver& lead = driver(L);
        if (FtdLapCount > 0 && betterResult(lead.lapcount, lead.lastpass, FtdLapCount, FtdTime)) {
            playwav(Sound::Car);
            SpeakNumber(lead.carno);
            playwav(Sound::FtdImprove);
        } else if (RoundBestLapCount > 0 &&
                   betterResult(lead.lapcount, lead.lastpass, RoundBestLapCount, RoundBestTime)) {
            playwav(Sound::Car);
            SpeakNumber(lead.carno);
            playwav(Sound::RoundImprove);
        }
    }
    if (settings.finishOrder) {
        playwav(Sound::FinishOrder);
        for (const auto& position : race_drivers) {
            const RaceDriver& d = driver(position.runorder);
            if (d.lapcount >= 1) SpeakNumber(d.carno);
        }
    }
    if (settings.improvedDrivers && RoundNumber > 1 && RaceKind == HeatRace) {
        bool any = false;
        for (const auto& d : race_drivers)
            if (betterResult(d.lapcount, d.lastpass, d.bestlapcount, d.besttime)) any = true;
        if (!any) {
            playwav(Sound::NoImprove);
        } else {
            playwav(Sound::CarImprove);
            for (const auto& d : race_drivers)
                if (betterResult(d.lapcount, d.lastpass, d.bestlapcount, d.besttime))
                    SpeakNumber(d.carno);
        }
    }

    ++completedRaces_;
    if (saved) {
        nextAfterStoredRace();
        return;
    }
    // Told once; the save is tried again meanwhile, and a success while the operator reads this
    // is told once the message is closed.
    panel_.TimeLB = ResultsNotSavedText;
    panelChanged();
    saveRetryTimer_.start(SaveRetryMs);
    tellingSaveFailure_ = true;
    ports_.op.reportFailure(saveProblem_ + "\n" + SaveRetryText);
    tellingSaveFailure_ = false;
    if (std::exchange(savedWhileTelling_, false)) ports_.op.notify(ResultsSavedMessage);
}

// Writes what the end of the race has left to save; true once all of it is saved. The race
// number moves on only once the results are in their file, so that the event's files never name
// the next race without the results of this one.
bool RaceEngine::saveStoredRace() {
    ProgSettings& settings = data_.settings;
    if (pendingSave_ == PendingSave::Results) {
        if (data_.paths) {
            if (const Outcome saved = writeResults(data_.paths->results, data_.event); !saved) {
                saveProblem_ = saved.message;
                return false;
            }
        }
        pendingSave_ = PendingSave::RaceNumber;
        if (lastOfTable_)
            pendingSave_ = PendingSave::None; // the end-of-round window moves the round on
        else
            settings.raceNumber = std::min(settings.raceNumber + 1, MaxRaces);
    }
    if (pendingSave_ == PendingSave::RaceNumber && data_.paths) {
        if (const Outcome next = writeEventSettings(data_.paths->settings, settings); !next) {
            saveProblem_ = next.message;
            return false;
        }
    }
    pendingSave_ = PendingSave::None;
    return true;
}

void RaceEngine::retrySave() {
    if (!saveStoredRace()) return;
    saveRetryTimer_.stop();
    nextAfterStoredRace();
    if (tellingSaveFailure_)
        savedWhileTelling_ = true;
    else
        ports_.op.notify(ResultsSavedMessage);
}

// The race is stored: its record ends, and the countdown to the next race begins, or the round
// ends with the table.
void RaceEngine::nextAfterStoredRace() {
    StartBetweenRTimer();
    panel_.preButtonsVisible = true;
    if (recorder_) recorder_->raceStored();
    if (lastOfTable_) {
        // The countdown stands still, unrecorded, until the race director takes it up.
        countdownRecorded_ = false;
        stopCountdown();
        endOfRoundShown_ = true;
        panelChanged();
        ports_.outputs.showEndOfRound(RoundNumber);
    } else {
        recordCountdownOpened();
        panelChanged();
    }
}

} // namespace vexa
