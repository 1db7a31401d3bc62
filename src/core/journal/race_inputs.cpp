#include "journal/race_inputs.h"

namespace vexa {

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
    action(engine_.panel().pauseCaption == "Stop &Countdown" ? "pause" : "resume");
}

void RaceInputs::action(const std::string& name) {
    if (op_ && (name == "restart" || name == "endrace")) {
        if (!engine_.raceMenuEnabled()) return;
        if (!op_->confirm(name == "restart" ? RestartRaceQuestion : EndRaceQuestion)) return;
    }
    // A countdown that stood still since the end of a table opens its race's journal first.
    engine_.takeUpCountdown();
    ScriptEvent e;
    e.kind = ScriptEvent::Kind::Action;
    e.action = name;
    write(e);
    act(name);
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
        if (e.action == "penalty")
            penalty(e.argument);
        else if (e.action == "equipment")
            equipment(e);
        else
            action(e.action);
        return;
    }
}

void RaceInputs::act(const std::string& a) {
    RaceEngine& engine = engine_;
    const bool paused = engine.panel().pauseCaption != "Stop &Countdown";
    if (a == "start")
        engine.StartBtnClick();
    else if (a == "pause" && !paused)
        engine.StopStartCountdownClick();
    else if (a == "resume" && paused)
        engine.StopStartCountdownClick();
    else if (a == "reset")
        engine.ResetCountdownClick();
    else if (a == "plus1")
        engine.PlusOneMinuteClick();
    else if (a == "plus5")
        engine.PlusFiveMinutesClick();
    else if (a == "readorder")
        engine.ReadOrderClick();
    else if (a == "keys")
        engine.KeyEnableClick();
    else if (a == "restart" && op_)
        engine.RestartRace();
    else if (a == "restart")
        engine.RestartRaceClick();
    else if (a == "endrace" && op_)
        engine.End_race();
    else if (a == "endrace")
        engine.EndRaceClick();
    else if (a == "reprint")
        engine.ReprintLapTimesClick();
}

} // namespace vexa
