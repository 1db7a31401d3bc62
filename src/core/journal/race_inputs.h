#pragma once

#include "journal/journal_writer.h"
#include "ports/decoder_input.h"
#include "ports/operator.h"
#include "ports/timing_equipment.h"
#include "race/race_action.h"
#include "race/race_engine.h"
#include "race/race_script.h"

#include <string>

namespace vexa {

// The "equipment" event of a race journal.
ScriptEvent equipmentEvent(const EquipmentInUse& inUse);

// The door every input of a race comes through: the lap counters' keys, the decoder's bytes and
// the race director's buttons. Each is written into the race journal (when there is one) before
// it is handed to the race engine or the decoder's record parser.
class RaceInputs {
  public:
    // With an operator, "Restart Race" and "End Race (Save Scores)" are confirmed before they
    // are journaled, so that a journal holds only what was done; without one the engine asks
    // its own operator.
    RaceInputs(RaceEngine& engine, DecoderInput* decoder, Operator* op = nullptr)
        : engine_(engine), decoder_(decoder), op_(op) {}

    void setJournal(JournalWriter* journal) { journal_ = journal; }

    // A key of a lap counter; true when the engine took it as a lap counting key.
    bool key(char k);
    // Bytes as they came from the decoder's link, handed to the decoder input.
    void decoderBytes(const std::string& bytes);
    // Bytes the link hands to the decoder's parser itself: they are only journaled.
    void decoderBytesArrived(const std::string& bytes);
    // A race director's action (not a penalty nor the equipment, which carry a number).
    void action(RaceAction action);
    // The countdown's stop/start button: a pause while the countdown runs, else a resume.
    void countdownButton();
    // The penalty dialog's OK for a car number; true when the dialog closes.
    bool penalty(int carNumber);

    // The counting equipment a journal kept (an "equipment" event), taken by the decoder input.
    void equipment(const ScriptEvent& e);
    // The counting equipment now in use, an "equipment" event: only journaled, the equipment
    // being in use already.
    void equipmentInUse(const EquipmentInUse& inUse) { write(equipmentEvent(inUse)); }

    // An input of a race script or a journal, as it would have come.
    void deliver(const ScriptEvent& e);

  private:
    void write(ScriptEvent e);
    void act(RaceAction action);

    RaceEngine& engine_;
    DecoderInput* decoder_;
    Operator* op_;
    JournalWriter* journal_ = nullptr;
};

} // namespace vexa
