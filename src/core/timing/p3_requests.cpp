#include "timing/p3_requests.h"

#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"

namespace vexa {

std::string p3GetTimeRequest() {
    return P3FrameWriter(P3Tor::GetTime)
        .empty(P3TimeTag::RtcTime)
        .empty(P3TimeTag::Flags)
        .empty(P3TimeTag::UtcTime)
        .frame();
}

std::string p3VersionRequest() {
    return P3FrameWriter(P3Tor::Version)
        .empty(P3VersionTag::DecoderType)
        .empty(P3VersionTag::Description)
        .empty(P3VersionTag::Version)
        .empty(P3VersionTag::Release)
        .empty(P3VersionTag::Registration)
        .empty(P3VersionTag::BuildNumber)
        .empty(P3VersionTag::Options)
        .frame();
}

std::string p3ResendRequest(uint32_t first, uint32_t last) {
    return P3FrameWriter(P3Tor::Resend)
        .u32(P3ResendTag::From, first)
        .u32(P3ResendTag::Until, last)
        .frame();
}

} // namespace vexa
