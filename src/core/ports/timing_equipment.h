#pragma once

namespace vexa {

// The counting equipment (a decoder on a serial port or over TCP, or none for manual counting),
// seen from the race engine. The engine keeps the race clock, the manual keys and `CountDevice`
// itself and calls these for the equipment's own part of switching on and off: the monitor
// mode, the RTS lines and the decoder's start and stop commands.
//
// Passings come back the other way: the decoder record parser finds the entrant
// (RaceEngine::findCarNumber / findTransponder, or RaceEngine::AddDriver for an unknown car),
// may write its `hits` and `signal`, and calls RaceEngine::sortCarPass. Records are for the
// engine only while RaceEngine::acceptsPassings() is true (booking in or race running).
class TimingEquipment {
  public:
    virtual ~TimingEquipment() = default;
    // Switched on at the race set-up point of the countdown (a decoder, for booking in) and at
    // the start of a race. `raceRunning` tells the two apart.
    virtual void TurnAmbOn(bool raceRunning) = 0;
    // Switched off at the end of a race, at a restart and just before the start.
    virtual void TurnAmbOff() = 0;
};

} // namespace vexa
