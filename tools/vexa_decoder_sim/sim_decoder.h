#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::sim {

enum class Dialect { Ambrc, System20, Ex20, Italian };

struct SimCar {
    int32_t number = 0;    // transponder (AMBrc, EX20) or car number (System 20, Italian)
    double nextPass = 0.0; // on the decoder clock
};

struct SimSettings {
    Dialect dialect = Dialect::Ambrc;
    int32_t decoderId = 7;
    std::vector<int32_t> numbers; // one per car
    double lapSeconds = 20.0;
    double spreadSeconds = 1.0;
    int hitsLow = 8;
    int hitsHigh = 14;
    double noiseEvery = 5.0; // seconds between "#" status records (AMBrc); 0 = none
    bool stamp = false;      // passings carry a monotonic time stamp in field 2 (AMBrc)
    unsigned seed = 1;
};

// The decoder itself, apart from its links: a clock, cars crossing the loop, records out and
// commands in. Times are seconds of the simulator's own steady time.
class SimDecoder {
  public:
    SimDecoder(const SimSettings& settings, double now);

    // The records due up to `now`, in order, each with its line end.
    std::string due(double now);
    // Bytes received from the race program; returns the replies.
    std::string receive(std::string_view bytes, double now);
    // Restarts the decoder clock (a start command, a counter reset, the port opened).
    void restartClock(double now);
    // Tells what the decoder did, for the operator watching the simulator.
    std::vector<std::string> takeLog();

    double clock(double now) const { return now - clockStart_; }

  private:
    std::string passing(const SimCar& car, double decoderTime);
    std::string command(std::string_view text, double now);
    double lapTime();

    SimSettings settings_;
    std::mt19937 random_;
    std::vector<SimCar> cars_;
    double clockStart_ = 0.0;
    double nextNoise_ = 0.0;
    int nextClockSecond_ = 0;
    std::string received_;
    std::vector<std::string> log_;
};

// Monotonic nanoseconds, comparable between processes on one machine.
int64_t monotonicNanoseconds();

} // namespace vexa::sim
