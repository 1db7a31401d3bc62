#include "race/race_engine.h"

#include "base/whole_number.h"
#include "files/event_files.h"
#include "model/event_data.h"
#include "race/sound_table.h"
#include "race/text_formats.h"
#include "settings/prog_settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace vexa {

namespace {
// A mass start with the ten-second countdown waits a random 0.5 to 3 s after zero, so that the
// drivers cannot anticipate the start.
constexpr int ShortestStartDelayMs = 500;
constexpr int StartDelaySpreadMs = 2500;
} // namespace

void RaceEngine::StartBetweenRTimer() {
    const ProgSettings& s = data_.settings;
    RaceInterval = settingNumber(s.raceInterval, 60);
    PreRaceSetup = settingNumber(s.raceSetup, 30);
    CountBeeps = s.countBeeps;
    countdownTag_ = RaceInterval;
    betweenRTimer_.start(1000);
}

void RaceEngine::countdownStep() {
    CountdownTick(countdownTag_);
    --countdownTag_;
}

void RaceEngine::CountdownTick(int s) {
    const ProgSettings& settings = data_.settings;
    ports_.track.SendTimeDisplay(true, s);
    panel_.TimeLB = panel_.specTimeLB = countdownText(s);

    if (TenSecondCountdown && s >= 1 && s <= CountBeeps) playwav(Sound::Countdown);

    if (settings.betweenWarning) {
        if (s == 600 || s == 300 || s == 240 || s == 180 || s == 120) {
            SpeakNumber(s / 60);
            playwav(Sound::NextMin);
        } else if (s == 60) {
            playwav(Sound::OneNext);
        } else if (s == 31 || s == 21 || s == 11) {
            playwav(s == 31 ? Sound::Thirty : s == 21 ? Sound::Twenty : 10);
            playwav(Sound::SecondsDrv);
        }
    }

    // Start lights; a light setting that is empty or not a number never matches.
    if (!settings.noLights.empty() && s == settingNumber(settings.noLights, -1000000))
        ports_.track.SetLights(StartLight::AllOff);
    if (!settings.amberLight.empty() && s == settingNumber(settings.amberLight, -1000000))
        ports_.track.SetLights(StartLight::Amber);
    if (s == RaceInterval) ports_.track.SetLights(StartLight::Red);

    if (s == PreRaceSetup && Setuprace()) {
        if (isDecoder(countDevice())) {
            TurnAmbOn();
            BookingIn = true;
        }
        if (StartType == StaggerStart && StartOrderSpoken) Read_StartOrder();
    }

    if (StartType == MassStart && s >= 1 && s <= 5) ports_.track.SetLights(massCountdownLight(s));

    if (s == 1 && countDevice() == CountingDevice::System20) {
        BookingIn = false;
        TurnAmbOff();
    }

    if (s == 0) {
        betweenRTimer_.stop();
        if (countsLikeAmbrc(countDevice())) {
            BookingIn = false;
            TurnAmbOff();
        }
        Setuprace();
        if (SetupDone) {
            panel_.preButtonsVisible = false;
            countdownTag_ = RaceInterval + 1;
            Startrace();
        }
    }
    panelChanged();
}

void RaceEngine::Startrace() {
    if (RaceState == RaceStates::Running) return;
    if (StartType == MassStart) {
        if (TenSecondCountdown) {
            random_.seed(static_cast<std::minstd_rand::result_type>(ports_.clock.milliseconds()));
            const int delay =
                static_cast<int>(random_() % StartDelaySpreadMs) + ShortestStartDelayMs;
            panel_.TimeLB = panel_.specTimeLB =
                startDelayText(ShortestStartDelayMs + StartDelaySpreadMs - 1);
            startdelay_.start(delay);
            panelChanged();
        } else {
            startMassRace();
        }
        return;
    }
    RaceState = RaceStates::Running;
    TurnAmbOn();
    if (!StartOrderSpoken) {
        playwav(Sound::RunStart);
    } else {
        staggerPosition_ = 0;
        stagerStartTimer_.start(data_.settings.staggerGap);
    }
    ports_.track.SetLights(StartLight::Green);
    panelChanged();
}

void RaceEngine::startMassRace() {
    startdelay_.stop();
    RaceState = RaceStates::Running;
    TurnAmbOn();
    playwav(Sound::Start);
    ports_.track.SetLights(StartLight::Green);
    ports_.track.SetLights(StartLight::MassStartGo);
    panelChanged();
}

void RaceEngine::staggerCallOut() {
    if (staggerPosition_ < static_cast<int>(race_drivers.size())) {
        const int e = driver(staggerPosition_).startorder;
        if (validIndex(e)) SpeakNumber(driver(e).carno);
        ++staggerPosition_;
    }
    if (staggerPosition_ >= static_cast<int>(race_drivers.size())) stagerStartTimer_.stop();
}

void RaceEngine::TurnOnManualTimer() {
    StartRaceClock();
    manualInteruptTimer_.start(500);
}

void RaceEngine::TurnAmbOn() {
    const bool running = RaceState == RaceStates::Running;
    ports_.equipment.TurnAmbOn(running);
    const bool autoKeys = data_.settings.autoKeys;
    switch (countDevice()) {
    case CountingDevice::Manual:
        panel_.TimeLB = "Starting Manual Timing";
        TurnOnManualTimer();
        ManualKeys = true;
        break;
    case CountingDevice::Ambrc:
    case CountingDevice::P3:
        SpeedTrapActive = data_.settings.speedTrap;
        [[fallthrough]];
    case CountingDevice::System20:
        if (autoKeys)
            ManualKeys = true;
        else
            panel_.keysButtonEnabled = true;
        if (running) TurnOnManualTimer();
        break;
    default:
        break;
    }
    panel_.keysCaption = ManualKeys ? "Disable Keys" : "Enable Keys";
    panelChanged();
}

void RaceEngine::TurnAmbOff() {
    manualInteruptTimer_.stop();
    ports_.equipment.TurnAmbOff();
    ManualKeys = false;
    panel_.keysButtonEnabled = false;
    panel_.keysCaption = "Enable Keys";
    panelChanged();
}

void RaceEngine::clockTick() {
    updateracetime(static_cast<int>(std::lround(RaceTime())));
}

void RaceEngine::updateracetime(int s) {
    if (s == ClockSeconds) return;
    ClockSeconds = s;
    const ProgSettings& settings = data_.settings;
    // Times are worked out in 64 bits: no setting, however large, can make them wrap.
    const int64_t raceSeconds = int64_t{RaceMinutes} * 60;
    const bool mass = StartType == MassStart;

    panel_.TimeLB = panel_.specTimeLB =
        "Race Timer: " + FormatClock(s) + "   Remaining: " + FormatClock(raceSeconds - s);
    panel_.timebar =
        RaceMinutes > 0 ? static_cast<int>(std::lround(s / 60.0 / RaceMinutes * 100.0)) : 0;
    if (ports_.view && settings.scrollChange) ports_.view->toggleScrollLock();
    ports_.track.SendTimeDisplay(false, s);
    ports_.track.SendScoreboard(scoreboardPositions());

    if (s == NextReadOrder && s < raceSeconds && FinishedCount == 0) {
        playwav(Sound::Currently);
        SpeakNumber(NextReadOrder / 60);
        playwav(Sound::IntoRace);
        if (settings.remainTime) {
            playwav(Sound::With);
            SpeakNumber(RaceMinutes - NextReadOrder / 60);
            playwav(Sound::Remain);
        }
        playwav(Sound::RunOrder);
        for (const auto& position : race_drivers) {
            const RaceDriver& d = driver(position.runorder);
            if (d.lapcount >= 1) SpeakNumber(d.carno);
        }
        const int64_t next = NextReadOrder + int64_t{settingNumber(settings.runOrder, 0)} * 60;
        NextReadOrder = static_cast<int>(std::min<int64_t>(next, INT_MAX));
    }

    if (s == int64_t{RaceMinutes} * 30) {
        panel_.timebarColour = BarColour::Green;
        if (settings.raceNumberRead) {
            playwav(Sound::Half);
            SpeakNumber(RaceNumber);
        }
    }
    if (s == raceSeconds - 59) panel_.timebarColour = BarColour::Yellow;

    if (mass) {
        const int64_t r = raceSeconds - s;
        if (r >= 1 && r <= 5 && settings.count54321) SpeakNumber(static_cast<int>(r));
        if (r == 30) {
            playwav(Sound::Thirty);
            playwav(Sound::SecondsDrv);
        }
    }

    if (s == raceSeconds) {
        // Time is up: cars that never got going are finished as they are.
        if (mass) playwav(Sound::LastFinish);
        for (auto& d : race_drivers)
            if (mass ? d.lapcount == 0 : d.starttime == 0.0) d.carstate = RaceDriver::CarFinished;
    }

    // Stopped cars: no counted crossing for longer than the maximum last lap.
    bool changed = false;
    for (size_t e = 0; e < race_drivers.size(); ++e) {
        RaceDriver& d = race_drivers[e];
        if (!d.seen || d.finished()) continue;
        const double elapsed = mass ? s : s - d.starttime;
        if (elapsed <= d.lastpass + MaxLastLap) continue;
        d.seen = false;
        d.predtime = d.lastpass;
        d.predlapcount = d.lapcount;
        UpdateLeaderGap(static_cast<int>(e));
        changed = true;
    }
    if (changed) Updatedisplay();

    // The end of the race: the last-lap allowance (and a stagger start's latest start) is over,
    // or, after the race time, no car is running any more.
    const int64_t limit = raceSeconds + MaxLastLap + (mass ? 0 : LastStart);
    if (s > limit) {
        End_race();
    } else if (s > raceSeconds) {
        bool running = false;
        for (const auto& d : race_drivers)
            if (d.seen && !d.finished() && (mass || s <= d.endtime + MaxLastLap)) running = true;
        if (!running) End_race();
    }

    for (size_t e = 0; e < race_drivers.size(); ++e) {
        RaceDriver& d = race_drivers[e];
        if (d.passmark < 1 || d.passmark > RaceDriver::PassCounted) continue;
        if (--d.passmark == 0) MarkCarCell(static_cast<int>(e));
    }
    panelChanged();
}

void RaceEngine::CarFinish(int i) {
    RaceDriver& d = driver(i);
    d.carstate = RaceDriver::CarFinished;
    SpeakNumber(d.carno);
    playwav(Sound::Finished);
    ++FinishedCount;
}

void RaceEngine::End_race() {
    if (RaceState != RaceStates::Running) return;
    RaceState = RaceStates::BetweenRaces;
    TurnAmbOff();
    playwav(Sound::RaceOver);
    ports_.track.SetLights(StartLight::AllOff);
    ports_.track.SetLights(StartLight::Red);
    panel_.timebarColour = BarColour::Red;
    endRaceTimer_.start(2000);
    panel_.readOrderEnabled = false;
    SetupDone = false;
    if (recorder_) recorder_->raceEnded();
    panelChanged();
}

void RaceEngine::Read_StartOrder() {
    playwav(Sound::StartOrder);
    for (const auto& position : race_drivers)
        if (validIndex(position.startorder)) SpeakNumber(driver(position.startorder).carno);
}

void RaceEngine::flash() {
    panel_.clockLabelVisible = !panel_.clockLabelVisible;
    panelChanged();
}

void RaceEngine::scoreboardOnce() {
    ports_.track.SendScoreboard(scoreboardPositions());
}

} // namespace vexa
