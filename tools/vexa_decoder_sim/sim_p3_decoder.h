#pragma once

#include "sim_decoder.h"
#include "sim_device.h"
#include "sim_track.h"
#include "timing/p3_frame_reader.h"

#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <string_view>

namespace vexa::sim {

// The field of a P3 passing that holds the simulator's monotonic send time with --stamp (u64,
// nanoseconds). No decoder uses it; the program passes over it as over any unknown tag.
inline constexpr uint8_t P3StampTag = 0xF0;

// A decoder that speaks P3, apart from its links. Its clock runs on from `clockAtStart`
// (microseconds since 1970) in whole milliseconds, as on AMB RC decoders, and is never
// restarted. It numbers its passings from 1 and keeps the last `Memory` of them, so that
// RESEND is answered even for passings made while nobody was connected. It sends a STATUS every
// `noiseEvery` seconds and answers GET_TIME, VERSION and RESEND; any other request gets an ERROR
// "TOR unknown".
class SimP3Decoder : public SimDevice {
  public:
    static constexpr size_t Memory = 100000;
    // The most passings one RESEND sends back.
    static constexpr uint32_t MaxResend = 10000;

    SimP3Decoder(const SimSettings& settings, double now, uint64_t clockAtStart);

    std::string due(double now) override;
    std::string receive(int link, std::string_view bytes, double now) override;
    void linkClosed(int link) override { readers_.erase(link); }

    // The decoder's clock at `now`: microseconds, whole milliseconds.
    uint64_t clock(double now) const;
    uint32_t lastPassingNumber() const { return nextNumber_ - 1; }

  private:
    std::string passing(int32_t transponder, double when);
    std::string status();
    std::string answer(const P3Frame& frame, double now);
    std::string resend(uint32_t from, uint32_t until);

    SimSettings settings_;
    std::mt19937 random_;
    SimTrack track_;
    double started_;
    uint64_t clockAtStart_;
    double nextStatus_;
    uint32_t nextNumber_ = 1;
    std::deque<std::string> sent_; // the frames of passings sent_.front() numbered memoryFirst_
    uint32_t memoryFirst_ = 1;
    std::map<int, P3FrameReader> readers_; // one per link
};

} // namespace vexa::sim
