#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace vexa::sim {

struct SimSettings;

// A car crossing the loop: its transponder (or car number) and the moment, in the simulator's
// steady time.
struct SimCrossing {
    int32_t number = 0;
    double time = 0.0;
};

// The cars going round: each crosses the loop once a lap, the lap lasting the settings' lap time
// give or take the spread.
class SimTrack {
  public:
    SimTrack(const SimSettings& settings, std::mt19937& random, double now);

    // The earliest crossing due by `now`, or nothing; call again until nothing is due.
    std::optional<SimCrossing> nextDue(double now);

  private:
    struct Car {
        int32_t number = 0;
        double nextPass = 0.0;
    };
    double lapTime();

    double lapSeconds_;
    double spreadSeconds_;
    std::mt19937& random_;
    std::vector<Car> cars_;
};

} // namespace vexa::sim
