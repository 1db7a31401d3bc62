// P3 records from the bytes of a TCP link: framing, checks, fields and the passing-number
// bookkeeping, over a capture-like stream read in TCP-sized blocks.
#include "timing/p3_frame_reader.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_passing_tracker.h"
#include "timing/p3_records.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>

using namespace vexa;

namespace {

constexpr int Passings = 10000;

// 20 cars round a track, a STATUS every 100 passings; decoder times in microseconds, so escapes
// turn up in numbers and times as they do on the wire.
std::string captureLikeStream() {
    std::string stream;
    uint64_t time = 1761855822438228;
    for (int i = 0; i < Passings; ++i) {
        time += 450'000 + static_cast<uint64_t>(i % 7) * 13'337;
        stream += P3FrameWriter(P3Tor::Passing)
                      .u32(0x01, 157000 + static_cast<uint32_t>(i))
                      .u32(0x03, 4000001 + static_cast<uint32_t>(i % 20))
                      .u64(0x04, time)
                      .u16(0x05, static_cast<uint16_t>(80 + i % 90))
                      .u16(0x06, static_cast<uint16_t>(10 + i % 40))
                      .u16(0x08, 0)
                      .u32(0x81, 268307)
                      .frame();
        if (i % 100 == 99)
            stream += P3FrameWriter(P3Tor::Status)
                          .u16(0x01, 39)
                          .u16(0x07, 22)
                          .u8(0x0C, 118)
                          .u8(0x06, 0)
                          .u32(0x81, 268307)
                          .frame();
    }
    return stream;
}

template <class OnBlock> void inBlocks(std::string_view stream, OnBlock&& onBlock) {
    constexpr size_t Segment = 1460;
    for (size_t at = 0; at < stream.size(); at += Segment)
        onBlock(stream.substr(at, std::min(Segment, stream.size() - at)));
}

// Framing, unescaping, length and CRC checks only.
void BM_P3Framing(benchmark::State& state) {
    const std::string stream = captureLikeStream();
    P3FrameReader reader;
    size_t frames = 0;
    for (auto _ : state)
        inBlocks(stream, [&](std::string_view block) {
            reader.feed(block, [&](const P3Frame&) { ++frames; });
        });
    benchmark::DoNotOptimize(frames);
    state.SetItemsProcessed(state.iterations() * Passings);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stream.size()));
}
BENCHMARK(BM_P3Framing);

// Every record as the counting equipment takes it: framed, checked, its fields read, each
// passing judged by its number (new, recovered or repeat), the status read for the monitor.
void BM_P3FramingParsingAndPassingNumbers(benchmark::State& state) {
    const std::string stream = captureLikeStream();
    P3FrameReader reader;
    P3PassingTracker tracker;
    uint64_t counted = 0, noise = 0;
    for (auto _ : state) {
        tracker.restart();
        inBlocks(stream, [&](std::string_view block) {
            reader.feed(block, [&](const P3Frame& frame) {
                switch (frame.tor) {
                case P3Tor::Passing:
                    if (const std::optional<P3Passing> p = readP3Passing(frame))
                        if (tracker.receive(p->passingNumber, p->rtcTime) !=
                            P3PassingVerdict::Repeat)
                            counted += *p->transponder;
                    break;
                case P3Tor::Status:
                    if (const std::optional<P3Status> s = readP3Status(frame))
                        noise += s->noise.value_or(0);
                    break;
                default:
                    break;
                }
            });
        });
    }
    benchmark::DoNotOptimize(counted);
    benchmark::DoNotOptimize(noise);
    if (reader.counts().dropped() != 0) state.SkipWithError("frames dropped");
    state.SetItemsProcessed(state.iterations() * Passings);
}
BENCHMARK(BM_P3FramingParsingAndPassingNumbers);

} // namespace
