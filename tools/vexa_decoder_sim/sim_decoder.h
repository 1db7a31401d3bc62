#pragma once

#include "sim_device.h"
#include "sim_track.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::sim {

enum class Dialect { Ambrc, System20, Ex20, Italian, P3 };

struct SimSettings {
    Dialect dialect = Dialect::Ambrc;
    int32_t decoderId = 7;
    // One per car: transponders (AMBrc, EX20, P3) or car numbers (System 20, Italian).
    std::vector<int32_t> numbers;
    double lapSeconds = 20.0;
    double spreadSeconds = 1.0;
    int hitsLow = 8;
    int hitsHigh = 14;
    double noiseEvery = 5.0; // seconds between status records (AMBrc, P3); 0 = none
    // Passings carry a monotonic time stamp: in field 2 (AMBrc), in tag P3StampTag (P3).
    bool stamp = false;
    unsigned seed = 1;
};

// A decoder of the text dialects (AMBrc, System 20, EX20, the Italian system), apart from its
// links: a clock, cars crossing the loop, records out and commands in.
class SimDecoder : public SimDevice {
  public:
    SimDecoder(const SimSettings& settings, double now);

    std::string due(double now) override;
    std::string receive(int link, std::string_view bytes, double now) override;
    // The System 20 family restarts its clock when the port is opened.
    void switchedOn(double now) override;
    // Restarts the decoder clock (a start command, a counter reset, the port opened).
    void restartClock(double now);

    double clock(double now) const { return now - clockStart_; }

  private:
    std::string passing(int32_t number, double decoderTime);
    std::string command(std::string_view text, double now);

    SimSettings settings_;
    std::mt19937 random_;
    SimTrack track_;
    double clockStart_ = 0.0;
    double nextNoise_ = 0.0;
    int nextClockSecond_ = 0;
    std::string received_;
};

// Monotonic nanoseconds, comparable between processes on one machine.
int64_t monotonicNanoseconds();

} // namespace vexa::sim
