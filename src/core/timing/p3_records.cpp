#include "timing/p3_records.h"

#include <limits>

namespace vexa {

namespace {

// The value as an unsigned integer of type T; absent when it is empty, longer than 8 bytes or too
// large for T.
template <class T> std::optional<T> number(std::span<const uint8_t> value) {
    const std::optional<uint64_t> n = p3Unsigned(value);
    if (!n || *n > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(*n);
}

// A signed value of 1 or 2 bytes.
std::optional<int16_t> signed16(std::span<const uint8_t> value) {
    if (value.size() == 1) return static_cast<int8_t>(value[0]);
    if (value.size() == 2) return static_cast<int16_t>(value[0] | value[1] << 8);
    return std::nullopt;
}

// Calls `onField(tag, value)` for each field of a record of the type; false for another type.
template <class OnField> bool readFields(const P3Frame& frame, P3Tor tor, OnField&& onField) {
    if (frame.tor != tor) return false;
    P3FieldCursor fields(frame.body);
    P3Field field;
    while (fields.next(field)) onField(field.tag, field.value);
    return true;
}

std::string decoderTypeText(std::span<const uint8_t> value) {
    switch (number<uint32_t>(value).value_or(0)) {
    case 0x10:
        return "AMBrc";
    case 0x11:
        return "AMBmx";
    case 0x12:
        return "TranX";
    case 0x13:
    case 0x14:
        return "TranX Pro";
    default:
        return p3ValueText(value);
    }
}

bool printable(std::span<const uint8_t> value) {
    for (uint8_t b : value)
        if (b < 0x20 || b > 0x7E) return false;
    return true;
}

} // namespace

std::optional<P3Passing> readP3Passing(const P3Frame& frame) {
    P3Passing passing;
    std::optional<uint32_t> passingNumber;
    std::optional<uint64_t> rtcTime;
    const bool isPassing = readFields(frame, P3Tor::Passing, [&](uint8_t tag, auto value) {
        switch (tag) {
        case P3PassingTag::PassingNumber:
            passingNumber = number<uint32_t>(value);
            break;
        case P3PassingTag::Transponder:
            passing.transponder = number<uint32_t>(value);
            break;
        case P3PassingTag::RtcTime:
            rtcTime = number<uint64_t>(value);
            break;
        case P3PassingTag::Strength:
            passing.strength = number<uint16_t>(value);
            break;
        case P3PassingTag::Hits:
            passing.hits = number<uint16_t>(value);
            break;
        case P3PassingTag::Flags:
            passing.flags = number<uint16_t>(value).value_or(0);
            break;
        case P3PassingTag::TransponderCode:
            passing.transponderCode = p3ValueText(value);
            break;
        case P3PassingTag::UtcTime:
            passing.utcTime = number<uint64_t>(value);
            break;
        case P3Tag::DecoderId:
            passing.decoderId = number<uint32_t>(value);
            break;
        default:
            break;
        }
    });
    if (!isPassing || !passingNumber || !rtcTime) return std::nullopt;
    if (!passing.transponder && passing.transponderCode.empty()) return std::nullopt;
    passing.passingNumber = *passingNumber;
    passing.rtcTime = *rtcTime;
    return passing;
}

std::optional<P3Status> readP3Status(const P3Frame& frame) {
    P3Status status;
    const bool isStatus = readFields(frame, P3Tor::Status, [&](uint8_t tag, auto value) {
        switch (tag) {
        case P3StatusTag::Noise:
            status.noise = number<uint16_t>(value);
            break;
        case P3StatusTag::Gps:
            status.gps = number<uint8_t>(value);
            break;
        case P3StatusTag::Temperature:
            status.temperature = signed16(value);
            break;
        case P3StatusTag::InputVoltage:
            status.inputVoltage = number<uint8_t>(value);
            break;
        case P3StatusTag::SatellitesInUse:
            status.satellitesInUse = number<uint8_t>(value);
            break;
        case P3Tag::DecoderId:
            status.decoderId = number<uint32_t>(value);
            break;
        default:
            break;
        }
    });
    if (!isStatus) return std::nullopt;
    return status;
}

std::optional<P3Version> readP3Version(const P3Frame& frame) {
    P3Version version;
    const bool isVersion = readFields(frame, P3Tor::Version, [&](uint8_t tag, auto value) {
        switch (tag) {
        case P3VersionTag::DecoderType:
            version.decoderType = decoderTypeText(value);
            break;
        case P3VersionTag::Description:
        case P3VersionTag::AltDescription:
            version.description = p3ValueText(value);
            break;
        case P3VersionTag::Version:
        case P3VersionTag::AltVersion:
            version.version = p3ValueText(value);
            break;
        case P3VersionTag::Release:
            version.release = p3ValueText(value);
            break;
        case P3VersionTag::Registration:
            version.registration = p3ValueText(value);
            break;
        case P3VersionTag::BuildNumber:
        case P3VersionTag::AltBuild:
            version.build = p3ValueText(value, true);
            break;
        case P3VersionTag::Options:
            version.options = p3ValueText(value);
            break;
        case P3VersionTag::AltDecoderId:
        case P3Tag::DecoderId:
            if (const auto id = number<uint32_t>(value)) version.decoderId = id;
            break;
        default:
            break;
        }
    });
    if (!isVersion) return std::nullopt;
    return version;
}

std::optional<P3Time> readP3Time(const P3Frame& frame) {
    P3Time time;
    std::optional<uint64_t> rtcTime;
    const bool isTime = readFields(frame, P3Tor::GetTime, [&](uint8_t tag, auto value) {
        switch (tag) {
        case P3TimeTag::RtcTime:
            rtcTime = number<uint64_t>(value);
            break;
        case P3TimeTag::UtcTime:
            time.utcTime = number<uint64_t>(value);
            break;
        case P3Tag::DecoderId:
            time.decoderId = number<uint32_t>(value);
            break;
        default:
            break;
        }
    });
    if (!isTime || !rtcTime) return std::nullopt;
    time.rtcTime = *rtcTime;
    return time;
}

std::optional<P3Resend> readP3Resend(const P3Frame& frame) {
    P3Resend resend;
    std::optional<uint32_t> from, until;
    const bool isResend = readFields(frame, P3Tor::Resend, [&](uint8_t tag, auto value) {
        switch (tag) {
        case P3ResendTag::From:
            from = number<uint32_t>(value);
            break;
        case P3ResendTag::Until:
            until = number<uint32_t>(value);
            break;
        case P3Tag::DecoderId:
            resend.decoderId = number<uint32_t>(value);
            break;
        default:
            break;
        }
    });
    if (!isResend || !from || !until) return std::nullopt;
    resend.from = *from;
    resend.until = *until;
    return resend;
}

std::optional<P3Error> readP3Error(const P3Frame& frame) {
    P3Error error;
    const bool isError = readFields(frame, P3Tor::Error, [&](uint8_t tag, auto value) {
        if (tag == P3ErrorTag::Code) error.code = number<uint16_t>(value).value_or(0);
        if (tag == P3ErrorTag::Description) error.description = p3ValueText(value);
    });
    if (!isError) return std::nullopt;
    return error;
}

std::optional<uint32_t> readP3DecoderId(const P3Frame& frame) {
    std::optional<uint32_t> id;
    readFields(frame, frame.tor, [&](uint8_t tag, auto value) {
        if (tag == P3Tag::DecoderId) id = number<uint32_t>(value);
    });
    return id;
}

std::string p3ValueText(std::span<const uint8_t> value, bool asNumber) {
    std::span<const uint8_t> text = value;
    while (!text.empty() && (text.back() == 0 || text.back() == ' '))
        text = text.first(text.size() - 1);
    if (!asNumber && !text.empty() && printable(text)) return std::string(text.begin(), text.end());
    if (const std::optional<uint64_t> n = p3Unsigned(value)) return std::to_string(*n);
    constexpr char Digits[] = "0123456789ABCDEF";
    std::string hex;
    for (uint8_t b : value) {
        if (!hex.empty()) hex.push_back(' ');
        hex.push_back(Digits[b >> 4]);
        hex.push_back(Digits[b & 15]);
    }
    return hex;
}

} // namespace vexa
