#include "race/race_engine.h"

#include "files/event_files.h"
#include "model/event_data.h"
#include "race/race_heading.h"
#include "race/text_formats.h"
#include "settings/prog_settings.h"

namespace vexa {

namespace {
const char* const PausedText = "Countdown Paused  | |";
} // namespace

void RaceEngine::openRaceScreen() {
    if (RaceState != RaceStates::NeverOpened) return;
    RaceState = RaceStates::BetweenRaces;
    StartType = MassStart;
    StartBetweenRTimer();
    panel_.readOrderEnabled = false;
    SetupDone = false;
    ports_.track.OpenRcioPort();
    ports_.track.SetLights(StartLight::AllOff);
    recordCountdownOpened();
    showNextRace();
}

void RaceEngine::showNextRace() {
    if (RaceState == RaceStates::Running) return;
    const ProgSettings& s = data_.settings;
    const RaceHeading next =
        raceHeading(s, data_.event, s.racingHeats, s.raceNumber, s.roundNumber);
    panel_.heatnumLB = next.title;
    panel_.roundLB = roundText(s.roundNumber);
    panel_.rtype = next.mass ? "Mass Start" : "Stagger Start";
    panel_.racedur = next.hasDrivers ? std::to_string(next.minutes) + " Min Race" : std::string{};
    panel_.marshalLB.clear();
    panel_.timebar = 0;
    panel_.timebarColour = BarColour::Navy;
    standings_.clear();
    if (ports_.view) ports_.view->standingsChanged();
    panelChanged();
}

bool RaceEngine::raceUnderWay() const {
    return RaceState == RaceStates::Running || betweenRTimer_.running() || startdelay_.running() ||
           endRaceTimer_.running() || stagerStartTimer_.running();
}

void RaceEngine::stopRaceScreen() {
    if (RaceState == RaceStates::Running) return;
    betweenRTimer_.stop();
    flasher_.stop();
    startdelay_.stop();
    stagerStartTimer_.stop();
    scoreTimer_.stop();
    RaceState = RaceStates::NeverOpened;
    SetupDone = false;
    endOfRoundShown_ = false;
    panel_.preButtonsVisible = true;
    panel_.countdownPaused = false;
    panel_.clockLabelVisible = true;
    panelChanged();
}

void RaceEngine::takeUpCountdown() {
    if (countdownRecorded_ || RaceState != RaceStates::CountdownPaused) return;
    StartBetweenRTimer();
    betweenRTimer_.stop();
    recordCountdownOpened(true);
}

void RaceEngine::StartBtnClick() {
    // No race runs before the last one's results are saved.
    if (RaceState == RaceStates::Running || saveWaiting()) return;
    if (!Setuprace()) return;
    flasher_.stop();
    panel_.clockLabelVisible = true;
    RaceState = RaceStates::BetweenRaces;
    if (!betweenRTimer_.running()) betweenRTimer_.start(1000);
    panel_.countdownPaused = false;
    if (!TenSecondCountdown) {
        // Straight to the start; a System 20 decoder is switched off a second before it, so
        // that its counter restarts with the race.
        countdownTag_ = countDevice() == CountingDevice::System20 ? 1 : 0;
        countdownStep();
    } else {
        countdownTag_ = CountBeeps + 1;
        ports_.track.SetLights(StartLight::Amber);
        // The seconds to go show at once, not only at the countdown's next second.
        panel_.TimeLB = panel_.specTimeLB = countdownText(countdownTag_);
    }
    panelChanged();
}

void RaceEngine::stopCountdown() {
    if (panel_.countdownPaused) return; // already paused
    panel_.countdownPaused = true;
    betweenRTimer_.stop();
    RaceState = RaceStates::CountdownPaused;
    panel_.TimeLB = PausedText;
    flasher_.start(800);
    panelChanged();
}

void RaceEngine::StopStartCountdownClick() {
    if (RaceState == RaceStates::Running || saveWaiting()) return;
    if (!panel_.countdownPaused) {
        stopCountdown();
        return;
    }
    panel_.countdownPaused = false;
    if (countdownTag_ < 12) countdownTag_ = 11;
    betweenRTimer_.start(1000);
    flasher_.stop();
    panel_.clockLabelVisible = true;
    panelChanged();
}

void RaceEngine::ResetCountdownClick() {
    panel_.readOrderEnabled = false;
    SetupDone = false;
    countdownTag_ = RaceInterval;
    panel_.TimeLB = panel_.specTimeLB = countdownText(countdownTag_);
    panelChanged();
}

void RaceEngine::PlusOneMinuteClick() {
    if (countdownTag_ < 3599) countdownTag_ += 60;
}

void RaceEngine::PlusFiveMinutesClick() {
    if (countdownTag_ < 3300) countdownTag_ += 300;
}

void RaceEngine::KeyEnableClick() {
    ManualKeys = !ManualKeys;
    panel_.keysCaption = ManualKeys ? "Disable Keys" : "Enable Keys";
    panelChanged();
}

void RaceEngine::ReprintLapTimesClick() {
    if (RaceState == RaceStates::Running) return;
    ports_.outputs.printRaceLapTimes(finishedRace(), 1);
}

void RaceEngine::RestartRaceClick() {
    if (!raceMenuEnabled()) return;
    if (!ports_.op.confirm(RestartRaceQuestion)) return;
    RestartRace();
}

void RaceEngine::RestartRace() {
    if (!raceMenuEnabled()) return;
    TurnAmbOff();
    stagerStartTimer_.stop();
    RaceState = RaceStates::BetweenRaces;
    panel_.preButtonsVisible = true;
    betweenRTimer_.start(1000);
    panel_.readOrderEnabled = false;
    SetupDone = false;
    panelChanged();
}

void RaceEngine::EndRaceClick() {
    if (!raceMenuEnabled()) return;
    if (!ports_.op.confirm(EndRaceQuestion)) return;
    End_race();
}

bool RaceEngine::givePenalty(int carNumber) {
    const int i = findCarNumber(carNumber);
    if (i < 0) {
        ports_.op.inform(NoCarWithNumberMessage);
        return false;
    }
    RaceDriver& d = driver(i);
    if (d.starttime <= 0.0 && StartType == StaggerStart) {
        ports_.op.inform(CarNotStartedMessage);
        return true;
    }
    // Ten seconds less race time, unless the car's time is nearly up.
    if (ClockSeconds < d.endtime - 12.0)
        d.endtime -= 10.0;
    else
        ports_.op.inform(PenaltyTooLateMessage);
    return true;
}

// ---- Standings -------------------------------------------------------------------------------

StandingsContext RaceEngine::standingsContext() const {
    StandingsContext c;
    c.staggerStart = StartType == StaggerStart;
    c.startOrderSpoken = StartOrderSpoken;
    c.ftdLapCount = FtdLapCount;
    c.ftdTime = FtdTime;
    c.roundBestLapCount = RoundBestLapCount;
    c.roundBestTime = RoundBestTime;
    c.trackMiles = TrackMiles;
    c.trapMiles = TrapMiles;
    return c;
}

void RaceEngine::Updatedisplay() {
    SortRunningOrder();
    showStandings();
}

void RaceEngine::showStandings() {
    // The rows' text is made when a grid or the live page reads them, once per redraw.
    standings_.update(race_drivers, standingsContext());
    if (ports_.view) ports_.view->standingsChanged();
}

void RaceEngine::MarkCarCell(int i) {
    const int row = standings_.MarkCarCell(race_drivers, i);
    if (row > 0 && ports_.view) ports_.view->carCellChanged(row);
}

void RaceEngine::SetExtraColumnHeaders() {
    Updatedisplay();
}

} // namespace vexa
