#include "race/race_engine.h"

#include "files/event_files.h"
#include "model/event_data.h"
#include "race/consecutive_laps.h"
#include "race/sound_table.h"
#include "settings/prog_settings.h"

#include <algorithm>

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
    // written ahead of it, so that such a crash cannot lose it either.
    const bool upload = countsLikeAmbrc(countDevice());
    if (upload) ports_.outputs.prepareUploadFile(finishedRace());
    StoreRaceResults();
    const bool lastOfTable = !raceHasDrivers(RaceNumber + 1);
    if (!lastOfTable) settings.raceNumber = std::min(settings.raceNumber + 1, MaxRaces);
    if (data_.paths) {
        const Outcome saved = writeResults(data_.paths->results, data_.event);
        if (!saved) ports_.op.reportFailure(saved.message);
        if (!lastOfTable) {
            const Outcome next = writeEventSettings(data_.paths->settings, settings);
            if (!next) ports_.op.reportFailure(next.message);
        }
    }

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

    StartBetweenRTimer();
    panel_.preButtonsVisible = true;
    ++completedRaces_;

    if (recorder_) recorder_->raceStored();
    if (lastOfTable) {
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
