#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexa::sim {

// A simulated decoder as its links see it: records fall due as time passes, bytes come in from a
// link (a TCP client or the pseudo-terminal) and are answered on that link. Times are seconds of
// the simulator's own steady time.
class SimDevice {
  public:
    virtual ~SimDevice() = default;

    // The records due up to `now`, in order, for every link.
    virtual std::string due(double now) = 0;
    // Bytes received on a link; returns the answers for that link.
    virtual std::string receive(int link, std::string_view bytes, double now) = 0;
    // A link was closed: what it left unfinished is forgotten.
    virtual void linkClosed(int /*link*/) {}
    // The decoder is switched on (the serial port was opened): a decoder of the System 20 family
    // restarts its clock.
    virtual void switchedOn(double /*now*/) {}

    // Tells what the decoder did, for the operator watching the simulator.
    std::vector<std::string> takeLog() { return std::exchange(log_, {}); }

  protected:
    void note(std::string line) { log_.push_back(std::move(line)); }

  private:
    std::vector<std::string> log_;
};

} // namespace vexa::sim
