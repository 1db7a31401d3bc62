// P3 records from the bytes of a TCP link: framing, checks, fields and the passing-number
// bookkeeping, over a capture-like stream read in TCP-sized blocks; then the same through the
// counting equipment's dispatch, up to the race engine and into sortCarPass.
#include "counting_rig.h"
#include "timing/p3_frame_reader.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_passing_tracker.h"
#include "timing/p3_records.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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

// Passings of the counting rig's 20 cars as its P3 decoder sends them, numbered on from one block
// to the next: `blocks` blocks of `perBlock` passings, a passing every `stepMs`, the decoder's
// clock on the rig's virtual clock.
class RigDecoder {
  public:
    static constexpr uint64_t Epoch = 1'761'855'000'000'000; // the decoder clock at virtual 0

    std::vector<std::string> blocks(int64_t fromMs, int blocks, int perBlock, int64_t stepMs,
                                    uint16_t hits) {
        std::vector<std::string> out;
        int64_t at = fromMs;
        for (int b = 0; b < blocks; ++b) {
            std::string block;
            for (int i = 0; i < perBlock; ++i, at += stepMs)
                block += P3FrameWriter(P3Tor::Passing)
                             .u32(0x01, next_++)
                             .u32(0x03, 4000001 + static_cast<uint32_t>(i % 20))
                             .u64(0x04, Epoch + static_cast<uint64_t>(at) * 1000)
                             .u16(0x05, 120)
                             .u16(0x06, hits)
                             .u16(0x08, 0)
                             .u32(0x81, bench::CountingRig::P3DecoderId)
                             .frame();
            out.push_back(std::move(block));
        }
        return out;
    }

  private:
    uint32_t next_ = 1;
};

// The timing layer's share of a P3 link: framing, checks, fields, passing numbers, the decoder's
// clock and the entrant search, through the counting equipment's dispatch, with passings that
// stop just before the hand-over (too few hits). Blocks of 1000 passings in TCP-sized pieces.
void BM_P3DispatchUpToTheEngine(benchmark::State& state) {
    bench::CountingRig rig(CountingDevice::P3);
    rig.program.settings.lowestHits = 10;
    CountingEquipment& equipment = rig.equipment();
    RigDecoder decoder;
    constexpr int Blocks = 100, PerBlock = 1000;
    int64_t from = rig.clock.milliseconds();
    std::vector<std::string> blocks;
    size_t next = 0;
    for (auto _ : state) {
        if (next == blocks.size()) {
            state.PauseTiming();
            blocks = decoder.blocks(from, Blocks, PerBlock, 1, 9);
            from += Blocks * PerBlock;
            next = 0;
            state.ResumeTiming();
        }
        inBlocks(blocks[next++],
                 [&](std::string_view piece) { equipment.AMBClientSocketRead(piece); });
    }
    if (equipment.p3().tracker().missing() != 0) state.SkipWithError("passings were missed");
    state.SetItemsProcessed(state.iterations() * PerBlock);
}
BENCHMARK(BM_P3DispatchUpToTheEngine);

// All of it: each iteration delivers one TCP block with a lap of every car (20 passings, eight
// seconds after the last), so every passing is a counted lap with sorting, gaps and predictions
// in the engine.
void BM_P3PassingsToSortCarPass(benchmark::State& state) {
    bench::CountingRig rig(CountingDevice::P3);
    CountingEquipment& equipment = rig.equipment();
    RigDecoder decoder;
    constexpr int Laps = 150;
    std::vector<std::string> blocks;
    size_t next = 0;
    for (auto _ : state) {
        if (next == blocks.size()) {
            state.PauseTiming();
            rig.engine().Setuprace(); // a fresh field at the start of the race clock
            blocks.clear();
            for (int lap = 1; lap <= Laps; ++lap) {
                std::vector<std::string> one =
                    decoder.blocks(rig.origin + lap * 8000, 1, 20, 10, 9);
                blocks.push_back(std::move(one.front()));
            }
            next = 0;
            state.ResumeTiming();
        }
        rig.clock.set(rig.origin + static_cast<int64_t>((next + 1) * 8000 + 300));
        equipment.AMBClientSocketRead(blocks[next++]);
    }
    if (rig.engine().values().race_drivers[0].lapcount == 0)
        state.SkipWithError("no lap was counted");
    state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_P3PassingsToSortCarPass);

} // namespace
