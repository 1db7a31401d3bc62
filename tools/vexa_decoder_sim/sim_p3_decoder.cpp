#include "sim_p3_decoder.h"

#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"

#include <cmath>

namespace vexa::sim {

namespace {

// ERROR codes.
constexpr uint16_t TorUnknown = 4;
constexpr uint16_t ParametersMissing = 5;

std::string error(uint16_t code, std::string_view description) {
    return P3FrameWriter(P3Tor::Error)
        .u16(P3ErrorTag::Code, code)
        .text(P3ErrorTag::Description, description)
        .frame();
}

} // namespace

SimP3Decoder::SimP3Decoder(const SimSettings& settings, double now, uint64_t clockAtStart)
    : settings_(settings), random_(settings.seed), track_(settings_, random_, now), started_(now),
      clockAtStart_(clockAtStart / 1000 * 1000), nextStatus_(now + settings.noiseEvery) {}

uint64_t SimP3Decoder::clock(double now) const {
    const double elapsed = std::max(0.0, now - started_);
    return clockAtStart_ + static_cast<uint64_t>(std::llround(elapsed * 1000.0)) * 1000;
}

std::string SimP3Decoder::passing(int32_t transponder, double when) {
    std::uniform_int_distribution<int> hits(settings_.hitsLow, settings_.hitsHigh);
    std::uniform_int_distribution<int> strength(60, 180);
    P3FrameWriter writer(P3Tor::Passing);
    writer.u32(P3PassingTag::PassingNumber, nextNumber_++)
        .u32(P3PassingTag::Transponder, static_cast<uint32_t>(transponder))
        .u64(P3PassingTag::RtcTime, clock(when))
        .u16(P3PassingTag::Strength, static_cast<uint16_t>(strength(random_)))
        .u16(P3PassingTag::Hits, static_cast<uint16_t>(hits(random_)))
        .u16(P3PassingTag::Flags, 0);
    if (settings_.stamp) writer.u64(P3StampTag, static_cast<uint64_t>(monotonicNanoseconds()));
    const std::string frame =
        writer.u32(P3Tag::DecoderId, static_cast<uint32_t>(settings_.decoderId)).frame();
    sent_.push_back(frame);
    if (sent_.size() > Memory) {
        sent_.pop_front();
        ++memoryFirst_;
    }
    return frame;
}

std::string SimP3Decoder::status() {
    std::uniform_int_distribution<int> noise(30, 60);
    return P3FrameWriter(P3Tor::Status)
        .u16(P3StatusTag::Noise, static_cast<uint16_t>(noise(random_)))
        .u16(P3StatusTag::Temperature, 22)
        .u8(P3StatusTag::InputVoltage, 120)
        .u8(P3StatusTag::Gps, 0)
        .u32(P3Tag::DecoderId, static_cast<uint32_t>(settings_.decoderId))
        .frame();
}

std::string SimP3Decoder::due(double now) {
    std::string out;
    if (settings_.noiseEvery > 0 && now >= nextStatus_) {
        out += status();
        nextStatus_ = now + settings_.noiseEvery;
    }
    while (const std::optional<SimCrossing> crossing = track_.nextDue(now))
        out += passing(crossing->number, crossing->time);
    return out;
}

std::string SimP3Decoder::receive(int link, std::string_view bytes, double now) {
    std::string answers;
    P3FrameReader& reader = readers_[link];
    const size_t droppedBefore = reader.counts().dropped();
    reader.feed(bytes, [&](const P3Frame& frame) { answers += answer(frame, now); });
    if (reader.counts().dropped() != droppedBefore) note("damaged record received, dropped");
    return answers;
}

std::string SimP3Decoder::answer(const P3Frame& frame, double now) {
    const auto id = static_cast<uint32_t>(settings_.decoderId);
    switch (frame.tor) {
    case P3Tor::GetTime:
        note("GET_TIME");
        return P3FrameWriter(P3Tor::GetTime)
            .u64(P3TimeTag::RtcTime, clock(now))
            .u16(P3TimeTag::Flags, 0)
            .u32(P3Tag::DecoderId, id)
            .frame();
    case P3Tor::Version:
        note("VERSION");
        return P3FrameWriter(P3Tor::Version)
            .u8(P3VersionTag::DecoderType, 0x10)
            .text(P3VersionTag::Description, "Vexa decoder simulator")
            .text(P3VersionTag::Version, "1.0")
            .text(P3VersionTag::Release, "2026-01-01")
            .u16(P3VersionTag::BuildNumber, 1)
            .u32(P3Tag::DecoderId, id)
            .frame();
    case P3Tor::Resend:
        if (const std::optional<P3Resend> request = readP3Resend(frame))
            return resend(request->from, request->until);
        note("RESEND without its range");
        return error(ParametersMissing, "Parameters missing");
    default:
        note("unknown request " + p3RecordName(frame.tor));
        return error(TorUnknown, "TOR Unknown");
    }
}

std::string SimP3Decoder::resend(uint32_t from, uint32_t until) {
    std::string out;
    uint32_t count = 0;
    const uint32_t last = nextNumber_ - 1;
    for (uint64_t n = std::max(from, memoryFirst_); n <= until && n <= last && count < MaxResend;
         ++n, ++count)
        out += sent_[n - memoryFirst_];
    note("RESEND " + std::to_string(from) + "-" + std::to_string(until) + ": " +
         std::to_string(count) + " passings sent again");
    return out;
}

} // namespace vexa::sim
