#include "journal/race_inputs.h"

namespace vexa {

ScriptEvent equipmentEvent(const EquipmentInUse& inUse) {
    ScriptEvent e;
    e.kind = ScriptEvent::Kind::Action;
    e.action = std::string(raceActionWord(RaceAction::Equipment));
    e.argument = settingOf(inUse.device);
    e.decoderId = inUse.decoderId;
    return e;
}

void RaceInputs::write(ScriptEvent e) {
    if (journal_) journal_->input(e);
}

bool RaceInputs::key(char k) {
    ScriptEvent e;
    e.kind = ScriptEvent::Kind::Key;
    e.data = std::string(1, k);
    write(e);
    return engine_.manualKey(k);
}

void RaceInputs::decoderBytesArrived(const std::string& bytes) {
    ScriptEvent e;
    e.kind = ScriptEvent::Kind::Decoder;
    e.data = bytes;
    write(std::move(e));
}

void RaceInputs::decoderBytes(const std::string& bytes) {
    decoderBytesArrived(bytes);
    if (decoder_) decoder_->receiveDecoderBytes(bytes);
}

void RaceInputs::countdownButton() {
    action(engine_.panel().countdownPaused ? RaceAction::Resume : RaceAction::Pause);
}

void RaceInputs::action(RaceAction a) {
    const bool asked = a == RaceAction::Restart || a == RaceAction::EndRace;
    if (op_ && asked) {
        if (!engine_.raceMenuEnabled()) return;
        if (!op_->confirm(a == RaceAction::Restart ? RestartRaceQuestion : EndRaceQuestion)) return;
    }
    // A countdown that stood still since the end of a table opens its race's journal first.
    engine_.takeUpCountdown();
    ScriptEvent e;
    e.kind = ScriptEvent::Kind::Action;
    e.action = std::string(raceActionWord(a));
    write(e);
    act(a);
}

bool RaceInputs::penalty(int carNumber) {
    ScriptEvent e;
    e.kind = ScriptEvent::Kind::Action;
    e.action = "penalty";
    e.argument = carNumber;
    write(e);
    return engine_.givePenalty(carNumber);
}

void RaceInputs::equipment(const ScriptEvent& e) {
    write(e);
    if (decoder_) decoder_->equipmentAsJournaled(e.argument, e.decoderId);
}

void RaceInputs::deliver(const ScriptEvent& e) {
    switch (e.kind) {
    case ScriptEvent::Kind::Key:
        write(e);
        for (char k : e.data) engine_.manualKey(k);
        return;
    case ScriptEvent::Kind::Decoder:
        decoderBytes(e.data);
        return;
    case ScriptEvent::Kind::Action:
        if (const std::optional<RaceAction> a = raceActionOfWord(e.action)) {
            if (*a == RaceAction::Penalty)
                penalty(e.argument);
            else if (*a == RaceAction::Equipment)
                equipment(e);
            else
                action(*a);
        }
        return;
    }
}

void RaceInputs::act(RaceAction a) {
    RaceEngine& engine = engine_;
    const bool paused = engine.panel().countdownPaused;
    switch (a) {
    case RaceAction::Start:
        engine.StartBtnClick();
        return;
    case RaceAction::Pause:
        if (!paused) engine.StopStartCountdownClick();
        return;
    case RaceAction::Resume:
        if (paused) engine.StopStartCountdownClick();
        return;
    case RaceAction::Reset:
        engine.ResetCountdownClick();
        return;
    case RaceAction::PlusOne:
        engine.PlusOneMinuteClick();
        return;
    case RaceAction::PlusFive:
        engine.PlusFiveMinutesClick();
        return;
    case RaceAction::ReadOrder:
        engine.ReadOrderClick();
        return;
    case RaceAction::Keys:
        engine.KeyEnableClick();
        return;
    // Confirmed already when there is an operator; else the engine asks its own.
    case RaceAction::Restart:
        if (op_)
            engine.RestartRace();
        else
            engine.RestartRaceClick();
        return;
    case RaceAction::EndRace:
        if (op_)
            engine.End_race();
        else
            engine.EndRaceClick();
        return;
    case RaceAction::Reprint:
        engine.ReprintLapTimesClick();
        return;
    case RaceAction::Penalty:
    case RaceAction::Equipment:
        return; // they carry a number: penalty(), equipment()
    }
}

} // namespace vexa
