#pragma once

#include "quiet_links.h"

#include "program/program.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "station/race_station.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vexa::fuzz {

// The decoder and the link its bytes arrive on. A second System 20 decoder sends on the track
// controller's port beside an AMBrc decoder on its serial port.
enum class Dialect { AmbrcSerial, AmbrcSocket, System20, Ex20, Italian, SecondSystem20 };

// What a decoder input races with, taken from its first byte.
struct RigChoice {
    Dialect dialect = Dialect::AmbrcSerial;
    bool massStart = true;
    bool countFirst = true;
    bool countSame = false;
    bool speedTrap = false;
    int lowestHits = 0;

    // Bits 0-2 the dialect (6 and 7 wrap round), then one bit each for a stagger start, the first
    // crossing not counted, "COUNTSAME", the speed trap and a lowest hit count of 5.
    static RigChoice fromByte(uint8_t byte);
};

// A heat of ten competitors (car numbers 1..10) running on virtual time, counted by the real
// counting equipment and track controller of a TimingStation over quiet links: received bytes
// go through the line assembly and the dialect's record parser into the race engine's
// `sortCarPass`. Everything the decoder target needs of the race engine and the equipment goes
// through here, so that a change of their public face is mended in this one place.
class DecoderRig {
  public:
    static constexpr int Cars = 10;
    // No input runs the race screen longer than this, in virtual milliseconds.
    static constexpr int64_t VirtualLimitMs = 15 * 60 * 1000;

    explicit DecoderRig(const RigChoice& choice);
    ~DecoderRig();
    DecoderRig(const DecoderRig&) = delete;
    DecoderRig& operator=(const DecoderRig&) = delete;

    // Whether the race started: the decoder answered its presence check and the race runs.
    bool raceRunning() const;
    // Bytes as received on the link of the dialect.
    void receive(std::string_view bytes);
    // Lets virtual time run on, firing every timer that falls due.
    void advance(int64_t ms);
    // The link breaks; the decoder is looked for again and answers.
    void loseAndReconnectLink();
    // Runs on until the race has ended and its results are stored; false if it did not end.
    bool finishRace();

    // Aborts when the race's entrants are not in a sound state: a running order that is a
    // permutation of the entrants, lap counts within the stored lap times, times that are
    // numbers.
    void checkEntrants() const;
    // Aborts when a competitor's stored result for the round differs from his laps and time.
    void checkStoredResults() const;

  private:
    void answerPresenceCheck();
    std::string presenceAnswer() const;

    RigChoice choice_;
    VirtualClock clock_;
    VirtualScheduler scheduler_{clock_};
    RecordingPorts ports_{clock_};
    QuietSerialPort decoderPort_;
    QuietSerialPort controllerPort_;
    QuietSocket socket_;
    QuietTimingView view_;
    Program program_;
    // After the scheduler and the program: the engine's timers stop on destruction.
    std::unique_ptr<RaceStation> station_;
    int round_ = 0;
};

} // namespace vexa::fuzz
