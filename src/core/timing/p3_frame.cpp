#include "timing/p3_frame.h"

#include "timing/p3_crc.h"

#include <cstdio>

namespace vexa {

namespace {

uint16_t u16At(std::span<const uint8_t> frame, size_t at) {
    return static_cast<uint16_t>(frame[at] | frame[at + 1] << 8);
}

constexpr size_t LengthAt = 2;
constexpr size_t CrcAt = 4;
constexpr size_t TorAt = 8;

} // namespace

std::string p3RecordName(P3Tor tor) {
    switch (tor) {
    case P3Tor::Reset:
        return "RESET";
    case P3Tor::Passing:
        return "PASSING";
    case P3Tor::Status:
        return "STATUS";
    case P3Tor::Version:
        return "VERSION";
    case P3Tor::Resend:
        return "RESEND";
    case P3Tor::ClearPassing:
        return "CLEAR_PASSING";
    case P3Tor::ServerSettings:
        return "SERVER_SETTINGS";
    case P3Tor::Session:
        return "SESSION";
    case P3Tor::NetworkSettings:
        return "NETWORK_SETTINGS";
    case P3Tor::Watchdog:
        return "WATCHDOG";
    case P3Tor::Ping:
        return "PING";
    case P3Tor::GetTime:
        return "GET_TIME";
    case P3Tor::GeneralSettings:
        return "GENERAL_SETTINGS";
    case P3Tor::Signals:
        return "SIGNALS";
    case P3Tor::LoopTrigger:
        return "LOOP_TRIGGER";
    case P3Tor::GpsInfo:
        return "GPS_INFO";
    case P3Tor::FirstContact:
        return "FIRST_CONTACT";
    case P3Tor::Timeline:
        return "TIMELINE";
    case P3Tor::Error:
        return "ERROR";
    }
    char text[16];
    std::snprintf(text, sizeof text, "TOR 0x%04X", static_cast<unsigned>(tor));
    return text;
}

bool P3FieldCursor::next(P3Field& field) {
    if (at_ == body_.size()) return false;
    if (body_.size() - at_ < 2 || body_.size() - at_ - 2 < body_[at_ + 1]) {
        broken_ = true;
        at_ = body_.size();
        return false;
    }
    field.tag = body_[at_];
    field.value = body_.subspan(at_ + 2, body_[at_ + 1]);
    at_ += 2 + field.value.size();
    return true;
}

P3FrameFault checkP3Frame(std::span<const uint8_t> frame) {
    if (frame.size() < P3MinFrameLength) return P3FrameFault::BadLength;
    const uint16_t length = u16At(frame, LengthAt);
    if (length != 0 && length != frame.size()) return P3FrameFault::BadLength;
    if (p3FrameCrc(frame) != u16At(frame, CrcAt)) return P3FrameFault::BadCrc;
    P3FieldCursor fields(p3FrameView(frame).body);
    P3Field field;
    while (fields.next(field)) {
    }
    return fields.broken() ? P3FrameFault::BadFields : P3FrameFault::None;
}

P3Frame p3FrameView(std::span<const uint8_t> frame) {
    P3Frame view;
    view.version = frame[1];
    view.tor = static_cast<P3Tor>(u16At(frame, TorAt));
    view.body = frame.subspan(P3HeaderLength, frame.size() - P3HeaderLength - 1);
    view.bytes = frame;
    return view;
}

std::optional<uint64_t> p3Unsigned(std::span<const uint8_t> value) {
    if (value.empty() || value.size() > 8) return std::nullopt;
    uint64_t out = 0;
    for (size_t i = value.size(); i-- > 0;) out = out << 8 | value[i];
    return out;
}

} // namespace vexa
