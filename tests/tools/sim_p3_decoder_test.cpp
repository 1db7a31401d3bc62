// The P3 decoder of vexa-decoder-sim in simulated time, read back with the program's own reader.
#include "sim_p3_decoder.h"
#include "timing/p3_frame_reader.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"
#include "timing/p3_requests.h"

#include "timing/p3_sample_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexa;
using namespace vexa::sim;

namespace {

constexpr uint64_t ClockAtStart = 1'700'000'000'123'456;

SimSettings settings() {
    SimSettings s;
    s.dialect = Dialect::P3;
    s.decoderId = 268307;
    s.numbers = {4000001, 4000002, 4000003};
    s.lapSeconds = 0.1;
    s.spreadSeconds = 0.02;
    return s;
}

// What a client reads from the bytes.
struct Received {
    std::vector<P3Passing> passings;
    std::vector<P3Status> statuses;
    std::optional<P3Time> time;
    std::optional<P3Version> version;
    std::optional<P3Error> error;
    size_t dropped = 0;
};

Received read(const std::string& bytes) {
    Received r;
    P3FrameReader reader;
    reader.feed(bytes, [&](const P3Frame& f) {
        if (auto p = readP3Passing(f))
            r.passings.push_back(*p);
        else if (auto s = readP3Status(f))
            r.statuses.push_back(*s);
        else {
            if (auto t = readP3Time(f)) r.time = t;
            if (auto v = readP3Version(f)) r.version = v;
            if (auto e = readP3Error(f)) r.error = e;
        }
    });
    r.dropped = reader.counts().dropped() + reader.counts().skippedBytes;
    return r;
}

// Runs the decoder from `from` to `seconds` in steps of 10 ms; returns all it sent.
std::string run(SimP3Decoder& decoder, double from, double seconds) {
    std::string out;
    for (double t = from; t <= seconds + 1e-9; t += 0.01) out += decoder.due(t);
    return out;
}

TEST(SimP3Decoder, NumberedPassingsOnItsOwnClockAndAStatusEveryFiveSeconds) {
    SimP3Decoder decoder(settings(), 0.0, ClockAtStart);
    const std::string sent = run(decoder, 0.0, 20.5);
    const Received r = read(sent);
    EXPECT_EQ(r.dropped, 0u);
    ASSERT_GT(r.passings.size(), 400u);
    EXPECT_EQ(decoder.lastPassingNumber(), r.passings.size());
    uint64_t previous = 0;
    for (size_t i = 0; i < r.passings.size(); ++i) {
        const P3Passing& p = r.passings[i];
        EXPECT_EQ(p.passingNumber, i + 1);
        EXPECT_EQ(p.decoderId, 268307u);
        EXPECT_TRUE(p.transponder && *p.transponder >= 4000001 && *p.transponder <= 4000003);
        EXPECT_TRUE(p.strength && p.hits);
        // Whole milliseconds from the start, in order.
        EXPECT_EQ(p.rtcTime % 1000, 0u);
        EXPECT_GE(p.rtcTime, ClockAtStart - 456);
        EXPECT_GE(p.rtcTime, previous);
        previous = p.rtcTime;
    }
    EXPECT_EQ(r.statuses.size(), 4u); // at about 5, 10, 15 and 20 s
    EXPECT_EQ(r.statuses[0].decoderId, 268307u);
    // Passing 141 is 0x8D: its number goes out escaped.
    EXPECT_NE(sent.find(test::wire("01 04 8D AD 00 00 00")), std::string::npos);
}

TEST(SimP3Decoder, AnswersResendFromItsMemoryAndTheOtherRequests) {
    SimP3Decoder decoder(settings(), 0.0, ClockAtStart);
    const Received before = read(run(decoder, 0.0, 3.0));
    const uint32_t last = decoder.lastPassingNumber();
    ASSERT_GT(last, 20u);

    // Passings 5 to 9 again, exactly as they were; a range past the last gives what there is.
    const Received again = read(decoder.receive(1, p3ResendRequest(5, 9), 3.0));
    ASSERT_EQ(again.passings.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(again.passings[i].passingNumber, 5 + i);
        EXPECT_EQ(again.passings[i].rtcTime, before.passings[4 + i].rtcTime);
        EXPECT_EQ(again.passings[i].transponder, before.passings[4 + i].transponder);
    }
    EXPECT_EQ(read(decoder.receive(1, p3ResendRequest(last - 1, last + 50), 3.0)).passings.size(),
              2u);

    // A request split over two reads of one link, another link's request in between.
    const std::string getTime = p3GetTimeRequest();
    EXPECT_EQ(decoder.receive(1, getTime.substr(0, 7), 3.0), "");
    const Received version = read(decoder.receive(2, p3VersionRequest(), 3.0));
    ASSERT_TRUE(version.version);
    EXPECT_EQ(version.version->decoderType, "AMBrc");
    EXPECT_EQ(version.version->decoderId, 268307u);
    const Received time = read(decoder.receive(1, getTime.substr(7), 3.25));
    ASSERT_TRUE(time.time);
    EXPECT_EQ(time.time->rtcTime, decoder.clock(3.25));
    EXPECT_EQ(decoder.clock(3.25), ClockAtStart - 456 + 3'250'000);
    // A client's request with length 0 is answered too.
    EXPECT_TRUE(read(decoder.receive(3, test::wire(test::p3::GetTimeRequestLengthZero), 3.0)).time);

    const Received unknown =
        read(decoder.receive(1, P3FrameWriter(P3Tor::ClearPassing).frame(), 3.0));
    ASSERT_TRUE(unknown.error);
    EXPECT_EQ(unknown.error->code, 4);
    EXPECT_EQ(decoder.lastPassingNumber(), last); // nothing was cleared
}

TEST(SimP3Decoder, PassingsWhileNobodyIsConnectedCanBeAskedForLater) {
    SimP3Decoder decoder(settings(), 0.0, ClockAtStart);
    const Received first = read(run(decoder, 0.0, 2.0));
    decoder.linkClosed(1);
    run(decoder, 2.01, 4.0); // the link is down: these go nowhere
    const Received after = read(run(decoder, 4.01, 5.0));
    ASSERT_FALSE(first.passings.empty());
    ASSERT_FALSE(after.passings.empty());
    const uint32_t from = first.passings.back().passingNumber + 1;
    const uint32_t until = after.passings.front().passingNumber - 1;
    ASSERT_LT(from, until);
    const Received missed = read(decoder.receive(2, p3ResendRequest(from, until), 5.0));
    ASSERT_EQ(missed.passings.size(), until - from + 1);
    EXPECT_EQ(missed.passings.front().passingNumber, from);
    EXPECT_EQ(missed.passings.back().passingNumber, until);
}

TEST(SimP3Decoder, StampedPassingsCarryTheirSendTimeInATagOfTheirOwn) {
    SimSettings stamped = settings();
    stamped.stamp = true;
    SimP3Decoder decoder(stamped, 0.0, ClockAtStart);
    const int64_t before = monotonicNanoseconds();
    const std::string sent = run(decoder, 0.0, 1.0);
    const int64_t after = monotonicNanoseconds();
    P3FrameReader reader;
    size_t stamps = 0, passings = 0;
    reader.feed(sent, [&](const P3Frame& f) {
        if (!readP3Passing(f)) return; // the program reads it as any passing
        ++passings;
        P3FieldCursor fields(f.body);
        P3Field field;
        while (fields.next(field)) {
            if (field.tag != P3StampTag) continue;
            const auto stamp = static_cast<int64_t>(p3Unsigned(field.value).value_or(0));
            EXPECT_TRUE(stamp >= before && stamp <= after);
            ++stamps;
        }
    });
    EXPECT_GT(passings, 10u);
    EXPECT_EQ(stamps, passings);
}

} // namespace
